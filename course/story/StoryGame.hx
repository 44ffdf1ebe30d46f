import flash.display.Sprite;
import flash.events.MouseEvent;
import vanto.*;

/** The story game: find the story's critter among its friends, three times. */
class StoryGame extends Sprite {
	static inline var kRounds = 3;

	var color:Int;
	var round = 0;
	var onWon:Void->Void;
	var field:Sprite;

	public function new(story:Int, color:Int, onWon:Void->Void) {
		super();
		this.color = color;
		this.onWon = onWon;
		Ui.drawBackground(graphics);
		var hint = new Sprite();
		Ui.drawCard(hint.graphics, 340, 30, 280, 150, Ui.kWhite, 30);
		Critter.draw(hint.graphics, 480, 110, 55, color);
		addChild(hint);
		addChild(Ui.label("找到我！", 30, Ui.kBlue, 480, 205));
		field = new Sprite();
		addChild(field);
		deal();
	}

	function deal():Void {
		while (field.numChildren > 0)
			field.removeChildAt(0);
		field.mouseChildren = true;
		field.addChild(Ui.progressDots(round, kRounds, 580));
		var others = [for (c in Critter.kColors) if (c != color) c];
		var colors = [color, others[(round * 3) % others.length], others[(round * 3 + 1) % others.length], others[(round * 3 + 2) % others.length]];
		var first = Std.random(4);
		for (k in 0...4) {
			var c = colors[(k + 4 - first) % 4];
			var spot = new Sprite();
			Critter.draw(spot.graphics, 0, 0, 70, c);
			spot.x = 150 + k * 220;
			spot.y = 380;
			spot.buttonMode = true;
			spot.addEventListener(MouseEvent.CLICK, function(_) pick(spot, c == color));
			field.addChild(spot);
		}
	}

	function pick(spot:Sprite, right:Bool):Void {
		Sounds.tap();
		if (!right) {
			spot.alpha = 0.35;
			Sounds.say("sound/wrong.mp3");
			return;
		}
		field.mouseChildren = false;
		spot.scaleX = spot.scaleY = 1.3;
		Sounds.say("sound/right.mp3", function() {
			if (++round < kRounds)
				deal();
			else
				cheer();
		});
	}

	function cheer():Void {
		while (field.numChildren > 0)
			field.removeChildAt(0);
		var star = new Sprite();
		Icons.star(star.graphics, 150);
		star.x = 480;
		star.y = 400;
		field.addChild(star);
		Sounds.say("sound/right1.mp3");
		onWon();
	}
}
