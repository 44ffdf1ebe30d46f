import flash.display.Sprite;
import CourseIndex;
import vanto.*;

/** A magic card for a won story game: the host counts it ("addMofa") and reports it ("endMofa"). */
class CardReward extends Sprite {
	public function new(cards:Array<Card>, onDone:Void->Void) {
		super();
		Ui.drawBackground(graphics, 0xFFF0C8);
		if (cards.length == 0) {
			haxe.Timer.delay(function() {
				parent.removeChild(this);
				onDone();
			}, 0);
			return;
		}
		var card = cards[Std.random(cards.length)];
		Host.send("addMofa", Std.string(card.id - 1));
		Host.send("endMofa");
		card.count++;
		addChild(Ui.label("魔法卡！", 56, Ui.kPurple, 480, 60));
		var frame = new MovieFrame(330, 110, 300, 400);
		frame.show(card.movie);
		addChild(frame);
		Sounds.say("sound/right1.mp3");
		addChild(new BigButton(840, 460, 130, Ui.kGreen, Icons.arrowRight, "", function() {
			frame.clear();
			parent.removeChild(this);
			onDone();
		}));
	}
}
