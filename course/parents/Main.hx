import flash.display.Sprite;
import vanto.*;

/**
	"parents.swf": the parents' area. Entering it puts the host in parent mode, which has the
	progress documents written afresh; the parent reads the statistics, changes the chapter or
	signs in, and leaves by handing the course back to the child.
**/
class Main extends Movie {
	var tabs:Sprite;
	var page:Sprite;
	var current = "";

	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		Ui.drawBackground(graphics, 0xE8F1FA);
		Identity.restore();
		Host.send("parentC", "begin");
		addChild(Form.text("家长园地", 34, Ui.kInk, 30, 18, true));
		addChild(Form.button("退出全屏", 640, 20, 140, 48, Ui.kPurple, function() Host.send("vanto", "restart")));
		addChild(Form.button("回到孩子", 796, 20, 140, 48, Ui.kGreen, backToChild));
		tabs = new Sprite();
		addChild(tabs);
		open("stats");
	}

	/** Shows one of the three pages: "stats", "chapters" or "account". */
	function open(name:String):Void {
		current = name;
		drawTabs();
		if (page != null)
			removeChild(page);
		page = switch (name) {
			case "chapters": new ChaptersPage(function() open("stats"));
			case "account": new AccountPage();
			default: new StatsPage();
		};
		page.y = 140;
		addChild(page);
	}

	function drawTabs():Void {
		while (tabs.numChildren > 0)
			tabs.removeChildAt(0);
		var names = [["stats", "学习统计"], ["chapters", "换章节"], ["account", "账号登录"]];
		for (i in 0...names.length) {
			var key = names[i][0];
			var x = 30 + i * 200;
			if (key == current)
				tabs.addChild(Form.disabled(names[i][1], x, 80, 184, 48));
			else
				tabs.addChild(Form.button(names[i][1], x, 80, 184, 48, Ui.kBlue, function() open(key)));
		}
	}

	/** The child's course again: the host leaves parent mode and goes full screen. */
	function backToChild():Void {
		Host.send("kid");
		goHome();
	}
}
