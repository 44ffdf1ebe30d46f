import flash.display.Sprite;
import vanto.*;

/**
	The child's home: today's characters big (touch one to hear it), the way into today's
	lesson, the review of earlier days and the parents' door.
**/
class HomeScreen extends Sprite {
	var badge:Sprite;

	public function new(chapter:Int, onToday:String->Void, onReview:Void->Void, onParents:Void->Void) {
		super();
		badge = new Sprite();
		addChild(badge);
		showChapter(chapter);
		var firstUrl = "CSHZ.swf";
		var play = new BigButton(480, 440, 190, Ui.kGreen, Icons.play, "", function() onToday(firstUrl));
		addChild(play);
		addChild(new BigButton(190, 455, 130, Ui.kBlue, Icons.calendar, "", onReview));
		addChild(new BigButton(850, 480, 100, 0xC98B4E, Icons.door, "", onParents));
		Docs.load("main.xml", function(root) {
			var url = Docs.text(root, "StudyUrl");
			if (url != "")
				firstUrl = url;
			if (Docs.text(root, "studayBool") == "1")
				addDoneStar();
		});
		Docs.load("config_GDLX.xml", function(root) {
			var items = [for (item in root.nodes.item) item];
			var size = Math.min(130.0, 860.0 / Math.max(1, items.length) - 14);
			var left = 480 - (items.length * (size + 14) - 14) / 2;
			for (i in 0...items.length)
				addChild(characterTile(Docs.text(items[i], "text"), Docs.text(items[i], "sound"), left + i * (size + 14), 170, size));
		});
	}

	/** The chapter the learner is in, as a number in a book-shaped badge. */
	public function showChapter(chapter:Int):Void {
		badge.graphics.clear();
		while (badge.numChildren > 0)
			badge.removeChildAt(0);
		if (chapter < 0)
			return;
		Ui.drawCard(badge.graphics, 30, 24, 150, 76, Ui.kPurple, 24);
		badge.addChild(Ui.label("第" + (chapter + 1) + "章", 36, Ui.kWhite, 105, 62));
	}

	function characterTile(text:String, sound:String, x:Float, y:Float, size:Float):Sprite {
		return Ui.characterTile(text, x, y, size, size, Ui.kInk, function() Sounds.say(sound));
	}

	/** Today's lesson is done: a big star beside the play button. */
	function addDoneStar():Void {
		addChild(Ui.picture(Icons.star, 50, 570, 360));
	}
}
