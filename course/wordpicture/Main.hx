import flash.display.Sprite;
import vanto.*;

/** "tp/N.swf": the word of character N as coloured tiles, the character itself in red. */
class Main extends Sprite {
	static inline var kSize = 400;

	static function main() {
		flash.Lib.current.addChild(new Main());
	}

	function new() {
		super();
		Ui.drawBackground(graphics);
		CourseList.fields("../list.txt", CourseList.ownIndex(), function(fields) {
			var character = fields.length > 0 ? fields[0] : "";
			var word = fields.length > 2 && fields[2] != "" ? fields[2] : character;
			var letters = [for (i in 0...word.length) word.charAt(i)];
			var size = Math.min(260.0, 880.0 / Math.max(1, letters.length) - 20);
			var left = 480 - (letters.length * (size + 20) - 20) / 2;
			for (i in 0...letters.length) {
				var own = letters[i] == character;
				Ui.drawCard(graphics, left + i * (size + 20), 300 - size / 2, size, size, own ? Ui.kYellow : Ui.kWhite, 40);
				addChild(Ui.label(letters[i], Std.int(size * 0.7), own ? Ui.kRed : Ui.kInk, left + i * (size + 20) + size / 2, 300));
			}
			if (fields.length > 1)
				addChild(Ui.label(fields[1], 56, Ui.kBlue, 480, 90));
		});
	}
}
