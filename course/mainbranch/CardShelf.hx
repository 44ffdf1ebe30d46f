import flash.display.Sprite;
import flash.events.MouseEvent;
import CourseIndex;
import vanto.*;

/**
	The child's magic cards: every card with how many the child holds. Touching a card that
	the child holds uses one up ("subMofa"): it comes alive big on the screen. Leaving the
	shelf reports the counts ("endMofa").
**/
class CardShelf extends Sprite {
	var cards:Array<Card>;
	var onDone:Void->Void;
	var shelf:Sprite;
	var spent = false;

	public function new(cards:Array<Card>, onDone:Void->Void) {
		super();
		this.cards = cards;
		this.onDone = onDone;
		Ui.drawBackground(graphics, 0xE6DDF7);
		shelf = new Sprite();
		addChild(shelf);
		addChild(new BigButton(58, 58, 84, Ui.kOrange, Icons.arrowLeft, "", leave));
		drawShelf();
	}

	function drawShelf():Void {
		while (shelf.numChildren > 0)
			shelf.removeChildAt(0);
		if (cards.length == 0)
			shelf.addChild(Ui.label("还没有魔法卡", 40, Ui.kInk, 480, 300));
		for (i in 0...cards.length) {
			var slot = cardSlot(cards[i], 150 + (i % 5) * 140, 40 + Std.int(i / 5) * 270);
			shelf.addChild(slot);
		}
	}

	function cardSlot(card:Card, x:Float, y:Float):Sprite {
		var slot = new Sprite();
		slot.x = x;
		slot.y = y;
		if (card.count > 0) {
			var frame = new MovieFrame(0, 0, 120, 160);
			frame.show(card.movie);
			slot.addChild(frame);
			slot.buttonMode = true;
			slot.mouseChildren = false;
			slot.addEventListener(MouseEvent.CLICK, function(_) use(card));
		} else {
			Ui.drawCard(slot.graphics, 0, 0, 120, 160, 0xB9B2C8, 30);
			slot.addChild(Ui.label("?", 72, Ui.kWhite, 60, 80));
		}
		Ui.drawCard(slot.graphics, 30, 172, 60, 44, card.count > 0 ? Ui.kYellow : 0xD8D8D8, 20);
		slot.addChild(Ui.label(Std.string(card.count), 28, Ui.kInk, 60, 194));
		return slot;
	}

	/** Uses one card: it shows big, then the shelf shows one fewer. */
	function use(card:Card):Void {
		Host.send("subMofa", Std.string(card.id - 1));
		card.count--;
		spent = true;
		var big = new Sprite();
		big.graphics.beginFill(0x000000, 0.5);
		big.graphics.drawRect(0, 0, Ui.kWidth, Ui.kHeight);
		big.graphics.endFill();
		var frame = new MovieFrame(300, 40, 360, 480);
		frame.show(card.movie);
		big.addChild(frame);
		for (i in 0...8) {
			var star = new Sprite();
			Icons.star(star.graphics, 30);
			star.x = 480 + Math.cos(i * Math.PI / 4) * 300;
			star.y = 290 + Math.sin(i * Math.PI / 4) * 240;
			big.addChild(star);
		}
		big.buttonMode = true;
		big.addEventListener(MouseEvent.CLICK, function(_) {
			frame.clear();
			removeChild(big);
			drawShelf();
		});
		addChild(big);
		Sounds.say("sound/right1.mp3");
	}

	function leave():Void {
		if (spent)
			Host.send("endMofa");
		while (shelf.numChildren > 0)
			shelf.removeChildAt(0);
		onDone();
	}
}
