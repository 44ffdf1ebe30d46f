import flash.display.Sprite;
import haxe.xml.Access;
import vanto.*;

/** One quiz question: a pinyin and its sound, the right character and the wrong ones. */
typedef Question = {
	pinyin:String,
	sound:String,
	right:String,
	choices:Array<String>
}

/**
	The day's quiz from "game.xml": hear the pinyin, touch the character. Every touch is
	reported to the host ("sz_t" right, "sz_f" wrong with the chosen character); a wrong
	one greys out and the child tries again.
**/
class QuizScreen extends Sprite {
	static inline var kDocument = "game.xml";
	static inline var kShowRightMs = 1200;

	var questions:Array<Question> = [];
	var sounds:Map<String, String> = new Map();
	var afterQuiz = "";
	var index = 0;
	var page:Sprite;
	var onDone:String->Void;

	public function new(onDone:String->Void, onHome:Void->Void) {
		super();
		this.onDone = onDone;
		addChild(BigButton.home(onHome));
		Docs.load(kDocument, function(root) {
			if (root.hasNode.config)
				for (s in root.node.config.elements)
					sounds.set(s.name, Docs.inner(s));
			afterQuiz = Docs.text(root, "ceping");
			if (root.hasNode.group)
				questions = [for (item in root.node.group.nodes.item) readQuestion(item)];
			if (questions.length == 0)
				onDone(afterQuiz);
			else
				ask(0);
		}, function() onDone(""));
	}

	static function readQuestion(item:Access):Question {
		var right = "";
		var choices = [];
		for (t in item.nodes.text) {
			var text = Docs.inner(t);
			if (t.has.flag && t.att.flag == "1")
				right = text;
			choices.push(text);
		}
		shuffle(choices);
		return {pinyin: Docs.text(item, "pinyin"), sound: Docs.text(item, "snd"), right: right, choices: choices};
	}

	static function shuffle(list:Array<String>):Void {
		for (i in 0...list.length) {
			var j = i + Std.random(list.length - i);
			var keep = list[i];
			list[i] = list[j];
			list[j] = keep;
		}
	}

	function ask(i:Int):Void {
		index = i;
		var q = questions[i];
		if (page != null)
			removeChild(page);
		page = new Sprite();
		addChildAt(page, 0);
		page.addChild(Ui.progressDots(i, questions.length));
		Ui.drawCard(page.graphics, 330, 90, 300, 150, Ui.kWhite);
		page.addChild(Ui.label(q.pinyin, 72, Ui.kBlue, 450, 165));
		page.addChild(new BigButton(575, 165, 80, Ui.kBlue, Icons.speaker, "", function() Sounds.say(q.sound)));
		var size = 170.0;
		var left = 480 - (q.choices.length * (size + 30) - 30) / 2;
		for (k in 0...q.choices.length)
			page.addChild(choiceTile(q, q.choices[k], left + k * (size + 30), 320, size));
		Sounds.say(q.sound);
	}

	function choiceTile(q:Question, text:String, x:Float, y:Float, size:Float):Sprite {
		var tile:Sprite = null;
		tile = Ui.characterTile(text, x, y, size, size, Ui.kInk, function() choose(q, text, tile, size));
		return tile;
	}

	function choose(q:Question, text:String, tile:Sprite, size:Float):Void {
		if (!tile.mouseEnabled)
			return;
		Sounds.tap();
		var right = text == q.right;
		Host.send(right ? "sz_t" : "sz_f", right ? q.right : q.right + "|" + text);
		tile.mouseEnabled = false;
		var mark = new Sprite();
		mark.graphics.beginFill(right ? Ui.kGreen : 0x9A9A9A, 0.85);
		mark.graphics.drawRoundRect(0, 0, size, size, 36, 36);
		mark.graphics.endFill();
		var icon = new Sprite();
		(right ? Icons.check : Icons.cross)(icon.graphics, size * 0.4);
		icon.x = icon.y = size / 2;
		mark.addChild(icon);
		tile.addChild(mark);
		if (!right) {
			Sounds.sayAll([sounds.get("sound_wrong"), sounds.get("sound_false")]);
			return;
		}
		page.mouseChildren = false;
		afterPraise(function() {
			if (index + 1 < questions.length)
				ask(index + 1);
			else
				cheer();
		});
	}

	/**
		Praises a right answer, then runs `next`: after the praise is spoken and the green
		tile was shown long enough to be seen, also where no sound can play. Leaving the
		quiz hushes the praise, so `next` never runs.
	**/
	function afterPraise(next:Void->Void):Void {
		var waiting = 2;
		var one = function() if (--waiting == 0) next();
		Sounds.say(sounds.get("sound_right"), one);
		haxe.Timer.delay(one, kShowRightMs);
	}

	/** All questions answered: a big star and praise, then on to what the document names. */
	function cheer():Void {
		removeChild(page);
		page = new Sprite();
		addChild(page);
		page.addChild(Ui.picture(Icons.star, 200, 480, 300));
		Sounds.say(sounds.get("sound_true"), function() onDone(afterQuiz));
	}
}
