import flash.display.Sprite;
import flash.text.TextField;
import vanto.*;

/**
	Signing in: the parent's name and password (the host keeps them for later chapter changes),
	or the learner's user id and number, for example those of another computer, which this
	player then remembers for the next start.
**/
class AccountPage extends Sprite {
	var note:TextField;

	public function new() {
		super();
		var parent = Form.panel("家长账号", 30, 0, 440, 360);
		addChild(parent);
		parent.addChild(Form.text("用户名", 22, Ui.kInk, 24, 66));
		var name = Form.input(130, 62, 280);
		parent.addChild(name);
		parent.addChild(Form.text("密码", 22, Ui.kInk, 24, 126));
		var password = Form.input(130, 122, 280, true);
		parent.addChild(password);
		parent.addChild(Form.button("登录", 130, 190, 180, 56, Ui.kGreen, function() {
			if (name.text == "" || password.text == "")
				return say("请填写用户名和密码。", Ui.kRed);
			Host.send("parent", name.text + "|" + password.text);
			say("登录已发出；没登上时会弹出提示。", Ui.kGreen);
		}));
		parent.addChild(Form.text("登录后，换章节会保存在您的账号里。", 18, 0x6A7388, 24, 280));

		var learner = Form.panel("孩子的学号", 490, 0, 440, 360);
		addChild(learner);
		learner.addChild(Form.text("学号", 22, Ui.kInk, 24, 66));
		var uid = Form.input(130, 62, 280, false, "0-9");
		learner.addChild(uid);
		learner.addChild(Form.text("号码", 22, Ui.kInk, 24, 126));
		var ppt = Form.input(130, 122, 280, false, "0-9");
		learner.addChild(ppt);
		var known = Identity.remembered();
		if (known != null) {
			uid.text = Std.string(known.uid);
			ppt.text = Std.string(known.ppt);
		}
		learner.addChild(Form.button("登录", 130, 190, 180, 56, Ui.kGreen, function() signIn(uid.text, ppt.text)));
		learner.addChild(Form.text("请记下学号和号码，换电脑时要用。", 18, 0x6A7388, 24, 260));
		learner.addChild(Form.text("登录后，课程换成这个学号的进度。", 18, 0x6A7388, 24, 290));
		note = Form.text("", 22, Ui.kGreen, 30, 380, true);
		addChild(note);
	}

	/** Signs in as the learner of these numbers: the host adopts that account's progress. */
	function signIn(uid:String, ppt:String):Void {
		var u = Std.parseInt(uid), p = Std.parseInt(ppt);
		if (u == null || p == null || u <= 0 || p <= 0)
			return say("学号和号码都要填数字。", Ui.kRed);
		Host.send("user", u + "|" + p);
		Identity.remember(u, p);
		say("学号 " + u + " 已登录。", Ui.kGreen);
	}

	function say(text:String, color:Int):Void {
		note.textColor = color;
		note.text = text;
	}
}
