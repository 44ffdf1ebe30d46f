import flash.display.Sprite;
import haxe.xml.Access;
import vanto.*;

/**
	"ceping.swf": the day's report after the quiz. The host writes the progress documents
	when it starts ("ceping begin") and hears "ceping end" when the child leaves.
**/
class Main extends Movie {
	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		Host.send("ceping", "begin");
		addChild(new BigButton(58, 58, 84, Ui.kOrange, Icons.house, "", leave));
		addChild(new BigButton(860, 510, 120, Ui.kGreen, Icons.check, "", leave));
		Docs.load("stat.xml", show);
	}

	function leave():Void {
		Host.send("ceping", "end");
		goHome();
	}

	function show(root:Access):Void {
		var days = Std.parseInt(Docs.text(root, "learnDays"));
		var sun = new Sprite();
		Icons.star(sun.graphics, 60);
		sun.x = 400;
		sun.y = 70;
		addChild(sun);
		addChild(Ui.label("× " + (days == null ? 0 : days), 56, Ui.kInk, 500, 70));
		if (!root.hasNode.chapter)
			return;
		var chapter = root.node.chapter;
		row(chapter, "learned", Ui.kGreen, Icons.check, 190);
		row(chapter, "fallibility", Ui.kOrange, Icons.brush, 330);
	}

	/** One list of the report as a row of character tiles behind a coloured sign. */
	function row(chapter:Access, list:String, color:Int, icon:flash.display.Graphics->Float->Void, y:Float):Void {
		if (!chapter.hasNode.resolve(list))
			return;
		var words = [for (w in chapter.node.resolve(list).nodes.word) w.has.hanzi ? w.att.hanzi : ""];
		if (words.length == 0)
			return;
		var sign = new Sprite();
		sign.graphics.beginFill(color);
		sign.graphics.drawCircle(0, 0, 50);
		sign.graphics.endFill();
		icon(sign.graphics, 40);
		sign.x = 90;
		sign.y = y + 55;
		addChild(sign);
		for (i in 0...words.length) {
			var tile = new Sprite();
			tile.x = 165 + i * 86;
			tile.y = y + 8;
			Ui.drawCard(tile.graphics, 0, 0, 80, 96, Ui.kWhite, 20);
			tile.addChild(Ui.label(words[i], 60, Ui.darker(color), 40, 48));
			addChild(tile);
		}
	}
}
