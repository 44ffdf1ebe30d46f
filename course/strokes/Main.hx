import flash.display.Sprite;
import vanto.*;

/** One step of the picture lesson: a small movie and the sound that goes with it. */
typedef Item = {
	isPicture:Bool,
	path:String,
	sound:String
}

/** "SKSZ.swf": how each character is written and a picture of its word, one after another. */
class Main extends Movie {
	var items:Array<Item> = [];
	var nextUrl = "";
	var index = 0;
	var page:Sprite;
	var frame:MovieFrame;

	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		frame = new MovieFrame(200, 80, 560, 440);
		addChild(frame);
		addHomeButton();
		Docs.load("config_SKSZ.xml", function(root) {
			nextUrl = Docs.text(root, "StudyUrl");
			items = [
				for (item in root.nodes.item)
					{isPicture: item.has.type && item.att.type == "1", path: Docs.text(item, "path"), sound: Docs.text(item, "sound")}
			];
			if (items.length == 0)
				goNext(nextUrl);
			else
				show(0);
		}, goHome);
	}

	function show(i:Int):Void {
		index = i;
		var item = items[i];
		frame.show(item.path);
		if (page != null)
			removeChild(page);
		page = new Sprite();
		addChild(page);
		page.addChild(Ui.progressDots(i, items.length));
		page.addChild(Ui.badge(item.isPicture ? Icons.picture : Icons.brush, item.isPicture ? Ui.kGreen : Ui.kPurple, 60, 110, 300));
		page.addChild(new BigButton(860, 180, 90, Ui.kBlue, Icons.speaker, "", function() Sounds.say(item.sound)));
		if (i > 0)
			page.addChild(new BigButton(860, 300, 90, Ui.kOrange, Icons.arrowLeft, "", function() show(index - 1)));
		page.addChild(new BigButton(850, 450, 130, Ui.kGreen, Icons.arrowRight, "", forward));
		Sounds.say(item.sound);
	}

	function forward():Void {
		if (index + 1 < items.length)
			show(index + 1);
		else {
			frame.clear();
			goNext(nextUrl);
		}
	}
}
