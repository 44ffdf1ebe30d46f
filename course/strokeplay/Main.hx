import flash.display.Sprite;
import flash.events.Event;
import vanto.*;

/**
	"bh/N.swf": character N of the course list in a writing grid, written stroke by stroke from
	the stroke data "N.json" beside the movie; without that data the character is revealed from
	top to bottom instead.
**/
class Main extends Sprite {
	static inline var kSize = 400;
	static inline var kFrames = 75;

	var ink:Sprite;
	var wipe:Sprite;
	var frame = 0;

	static function main() {
		flash.Lib.current.addChild(new Main());
	}

	function new() {
		super();
		drawGrid();
		var index = CourseList.ownIndex();
		Docs.loadText(index + ".json", function(json) {
			var strokes = StrokeAnimation.read(json);
			if (strokes == null)
				reveal(index);
			else
				addChild(new StrokeAnimation(strokes, kSize, 30));
		}, function() reveal(index));
	}

	function reveal(index:Int):Void {
		CourseList.fields("../list.txt", index, function(fields) {
			var text = fields.length > 0 ? fields[0] : "";
			addChild(Ui.label(text, 300, 0xD8D8D8, kSize / 2, kSize / 2, false));
			ink = new Sprite();
			ink.addChild(Ui.label(text, 300, Ui.kInk, kSize / 2, kSize / 2, false));
			addChild(ink);
			wipe = new Sprite();
			addChild(wipe);
			ink.mask = wipe;
			addEventListener(Event.ENTER_FRAME, step);
		});
	}

	function drawGrid():Void {
		var g = graphics;
		g.beginFill(0xFFF8E8);
		g.drawRect(0, 0, kSize, kSize);
		g.endFill();
		g.lineStyle(6, Ui.kRed);
		g.drawRect(10, 10, kSize - 20, kSize - 20);
		g.lineStyle(2, 0xF0A0A0);
		var dash = 14.0;
		var at = 10.0;
		while (at < kSize - 10) {
			g.moveTo(at, kSize / 2);
			g.lineTo(Math.min(at + dash / 2, kSize - 10), kSize / 2);
			g.moveTo(kSize / 2, at);
			g.lineTo(kSize / 2, Math.min(at + dash / 2, kSize - 10));
			at += dash;
		}
		g.lineStyle();
	}

	function step(_):Void {
		frame = (frame + 1) % (kFrames + 30);
		var shown = Math.min(1, frame / kFrames) * kSize;
		wipe.graphics.clear();
		wipe.graphics.beginFill(0);
		wipe.graphics.drawRect(0, 0, kSize, shown);
		wipe.graphics.endFill();
	}
}
