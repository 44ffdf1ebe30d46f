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
		addChild(BigButton.home(leave));
		addChild(new BigButton(860, 510, 120, Ui.kGreen, Icons.check, "", leave));
		Docs.load("stat.xml", show);
	}

	function leave():Void {
		Host.send("ceping", "end");
		goHome();
	}

	function show(root:Access):Void {
		var days = Std.parseInt(Docs.text(root, "learnDays"));
		addChild(Ui.picture(Icons.star, 60, 400, 70));
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
		addChild(Ui.badge(icon, color, 50, 90, y + 55));
		for (i in 0...words.length) {
			addChild(Ui.characterTile(words[i], 165 + i * 86, y + 8, 80, 96, Ui.darker(color)));
		}
	}
}
