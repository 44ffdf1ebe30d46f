import flash.display.Sprite;
import flash.events.MouseEvent;
import haxe.xml.Access;
import vanto.*;

/** One card of the day: the character with its pinyin, word and sentence, their sounds and two small movies. */
typedef Card = {
	text:String,
	spell:String,
	word:String,
	sentence:String,
	sounds:Array<String>,
	options:Array<String>
}

/** "CSHZ.swf": today's characters as big picture cards, one at a time. */
class Main extends Movie {
	var cards:Array<Card> = [];
	var nextUrl = "";
	var index = 0;
	var page:Sprite;
	var frame:MovieFrame;

	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		Docs.load("config_CSHZ.xml", function(root) {
			nextUrl = Docs.text(root, "StudyUrl");
			if (root.hasNode.item)
				cards = [for (zi in root.node.item.nodes.zi) readCard(zi)];
			if (cards.length == 0) {
				goNext(nextUrl);
				return;
			}
			Sounds.say(Docs.text(root, "sndUrl"), function() show(0));
			draw();
		}, goHome);
		addHomeButton();
	}

	static function readCard(zi:Access):Card {
		return {
			text: Docs.text(zi, "text"),
			spell: Docs.text(zi, "spell"),
			word: Docs.text(zi, "word"),
			sentence: Docs.text(zi, "sentence"),
			sounds: Docs.texts(zi, "sound"),
			options: Docs.texts(zi, "option")
		};
	}

	function show(i:Int):Void {
		index = i;
		draw();
		var card = cards[i];
		Sounds.sayAll([card.sounds[0], wordSound(card)]);
	}

	/** The word's own sound, or the sentence's when the card has none for the word. */
	static function wordSound(card:Card):String {
		var w = card.sounds.length > 1 ? card.sounds[1] : "null.mp3";
		return w == "null.mp3" && card.sounds.length > 2 ? card.sounds[2] : w;
	}

	function draw():Void {
		if (page != null)
			removeChild(page);
		page = new Sprite();
		addChildAt(page, 0);
		if (cards.length == 0)
			return;
		var card = cards[index];
		page.addChild(Ui.progressDots(index, cards.length));
		Ui.drawCard(page.graphics, 250, 80, 460, 430, Ui.kWhite);
		page.addChild(Ui.label(card.spell, 48, Ui.kBlue, 480, 130));
		var big = new Sprite();
		big.addChild(Ui.label(card.text, 210, Ui.kInk, 480, 290));
		big.buttonMode = true;
		big.addEventListener(MouseEvent.CLICK, function(_) Sounds.say(card.sounds[0]));
		page.addChild(big);
		page.addChild(Ui.label(card.word, 50, Ui.kRed, 480, 445));
		page.addChild(new BigButton(620, 130, 70, Ui.kBlue, Icons.speaker, "", function() Sounds.say(card.sounds[0])));
		page.addChild(new BigButton(620, 445, 70, Ui.kRed, Icons.speaker, "", function() Sounds.say(wordSound(card))));
		if (card.sentence != "" && card.sentence != card.word) {
			page.addChild(Ui.label(card.sentence, 30, Ui.kInk, 480, 545));
			page.addChild(new BigButton(860, 545, 60, Ui.kPurple, Icons.speaker, "", function() Sounds.say(card.sounds[2])));
		}
		if (card.options.length > 0)
			page.addChild(new BigButton(120, 250, 110, Ui.kPurple, Icons.brush, "", function() openOption(card.options[0])));
		if (card.options.length > 1)
			page.addChild(new BigButton(120, 390, 110, Ui.kGreen, Icons.picture, "", function() openOption(card.options[1])));
		if (index > 0)
			page.addChild(new BigButton(820, 250, 100, Ui.kOrange, Icons.arrowLeft, "", function() show(index - 1)));
		page.addChild(new BigButton(840, 420, 140, Ui.kGreen, Icons.arrowRight, "", forward));
	}

	function forward():Void {
		if (index + 1 < cards.length)
			show(index + 1);
		else
			goNext(nextUrl);
	}

	/** Shows one of the card's small movies over the card, with a button to close it. */
	function openOption(path:String):Void {
		var cover = new Sprite();
		cover.graphics.beginFill(0x000000, 0.45);
		cover.graphics.drawRect(0, 0, Ui.kWidth, Ui.kHeight);
		cover.graphics.endFill();
		frame = new MovieFrame(230, 60, 500, 480);
		frame.show(path);
		cover.addChild(frame);
		cover.addChild(new BigButton(800, 300, 120, Ui.kRed, Icons.cross, "", function() {
			frame.clear();
			removeChild(cover);
			Sounds.say(cards[index].sounds[0]);
		}));
		addChild(cover);
	}
}
