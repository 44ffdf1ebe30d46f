import flash.display.Sprite;
import flash.events.DataEvent;
import flash.events.Event;
import flash.events.MouseEvent;
import haxe.xml.Access;
import vanto.*;

/** One question of a mini-game: the pinyin and sound asked, the right character, all choices. */
typedef Question = {
	pinyin:String,
	sound:String,
	right:String,
	choices:Array<String>
}

/**
	"hlg/G/G.swf" for the mini-games mouse, Zida, Vize and Tarqa: one build copied into each
	game's folder, which tells it which game it is. It asks the host for the game's
	characters ("G" with "begin"), which writes the game's document beside it, then plays a
	round: hear a character, catch the mouse, balloon, fish or star that carries it. At the
	end of a round it tells the game host by a `kDone` event on the stage.
**/
class Main extends Movie {
	public static inline var kDone = "vantoGameDone";
	static inline var kRound = 5;

	var game:String;
	var questions:Array<Question> = [];
	var sounds:Map<String, String> = new Map();
	var asked = 0;
	var field:Sprite;
	var targets:Array<Target> = [];
	var tick = 0;

	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		Paths.depth = 2;
		game = OwnName.folder();
		drawBackdrop();
		field = new Sprite();
		addChild(field);
		addHomeButton();
		addEventListener(Event.ENTER_FRAME, move);
		Host.send(game, "begin");
		var document = game == "mouse" ? "hlg/mouse/config_mouse.xml" : "hlg/" + game + "/game.xml";
		Docs.load(document, function(root) {
			if (root.hasNode.config)
				for (s in root.node.config.elements)
					sounds.set(s.name, Docs.inner(s));
			if (root.hasNode.group)
				questions = [for (item in root.node.group.nodes.item) readQuestion(item)];
			startRound();
		}, goHome);
	}

	override function goHome():Void {
		Sounds.hush();
		removeEventListener(Event.ENTER_FRAME, move);
		if (stage != null && stage.hasEventListener(kDone))
			stage.dispatchEvent(new DataEvent(kDone, false, false, game));
		else
			Host.send("game", "quit");
	}

	function drawBackdrop():Void {
		var sky = switch (game) {
			case "Vize": 0x4FC3F7;
			case "Tarqa": 0x283593;
			default: Ui.kSky;
		}
		Ui.drawBackground(graphics, sky);
		if (game == "mouse") {
			graphics.beginFill(0x5D4037);
			for (k in 0...4)
				graphics.drawEllipse(95 + k * 200, 480, 170, 50);
			graphics.endFill();
		}
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
		var sound = Docs.text(item, "snd");
		return {pinyin: Docs.text(item, "pinyin"), sound: StringTools.replace(sound, "./", ""), right: right, choices: choices};
	}

	function startRound():Void {
		asked = 0;
		if (questions.length == 0) {
			goHome();
			return;
		}
		ask();
	}

	function ask():Void {
		var q = questions[Std.random(questions.length)];
		clearField();
		field.addChild(Ui.progressDots(asked, kRound, 30));
		Ui.drawCard(field.graphics, 320, 60, 320, 100, Ui.kWhite, 30);
		field.addChild(Ui.label(q.pinyin, 52, Ui.kBlue, 440, 110));
		field.addChild(new BigButton(590, 110, 70, Ui.kBlue, Icons.speaker, "", function() Sounds.say(q.sound)));
		var order = q.choices.copy();
		for (i in 0...order.length) {
			var j = i + Std.random(order.length - i);
			var keep = order[i];
			order[i] = order[j];
			order[j] = keep;
		}
		targets = [];
		for (k in 0...order.length) {
			var t = new Target(game, order[k], 180 + k * 200, 340);
			t.addEventListener(MouseEvent.CLICK, function(_) pick(q, t));
			field.addChild(t);
			targets.push(t);
		}
		Sounds.say(q.sound);
	}

	function pick(q:Question, t:Target):Void {
		if (t.alpha < 1)
			return;
		Sounds.tap();
		if (t.text != q.right) {
			t.alpha = 0.35;
			Sounds.say(sounds.get("sound_wrong"));
			return;
		}
		field.mouseChildren = false;
		t.scaleX = t.scaleY = 1.25;
		Sounds.say(sounds.get("sound_right"), function() {
			field.mouseChildren = true;
			if (++asked < kRound)
				ask();
			else
				cheer();
		});
	}

	function clearField():Void {
		while (field.numChildren > 0)
			field.removeChildAt(0);
		field.graphics.clear();
	}

	/** The round is over: a big star, then play again or leave. */
	function cheer():Void {
		targets = [];
		clearField();
		var star = new Sprite();
		Icons.star(star.graphics, 180);
		star.x = 480;
		star.y = 280;
		field.addChild(star);
		field.addChild(new BigButton(330, 500, 110, Ui.kBlue, Icons.play, "", startRound));
		field.addChild(new BigButton(630, 500, 110, Ui.kGreen, Icons.check, "", goHome));
		Sounds.say(sounds.get("sound_true"));
	}

	/** Each game moves its targets its own way: mice peep, balloons float, fish swim, stars twinkle. */
	function move(_):Void {
		tick++;
		for (k in 0...targets.length) {
			var t = targets[k];
			var phase = tick / 12 + k * 1.7;
			switch (game) {
				case "mouse":
					t.y = t.homeY + Math.max(0, Math.sin(phase)) * 40;
				case "Zida":
					t.y = t.homeY + Math.sin(phase / 2) * 30;
				case "Vize":
					t.x = t.homeX + Math.sin(phase / 2) * 25;
					t.y = t.homeY + Math.cos(phase / 3) * 12;
				default:
					t.rotation = Math.sin(phase) * 10;
			}
		}
	}
}
