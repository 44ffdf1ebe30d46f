import flash.display.Sprite;
import flash.events.DataEvent;
import flash.events.Event;
import flash.events.MouseEvent;
import vanto.*;

/**
	The story movies of story S, one build copied under every name the course index uses:
	"gsS/P.swf" is page P, "gsS/SynopsisS.swf" the title page, "gsS/yugaoS.swf" the preview of
	what comes next and "gsS/game.swf" the story game. Each works out from its own file name
	which one it is. The story game tells the movie playing it that it was won by a
	`kGameWon` event on the stage.
**/
class Main extends Sprite {
	public static inline var kGameWon = "vantoStoryGameWon";
	static var kDoings = ["醒来了", "去玩", "找朋友", "唱歌", "跳舞", "吃饭", "看花", "回家", "睡觉"];

	var story:Int;
	var critter:Sprite;
	var tick = 0;

	static function main() {
		flash.Lib.current.addChild(new Main());
	}

	function new() {
		super();
		Paths.depth = 1;
		story = OwnName.number(OwnName.folder(), 0);
		var stem = OwnName.stem();
		if (stem.indexOf("Synopsis") == 0)
			titlePage();
		else if (stem.indexOf("yugao") == 0)
			previewPage();
		else if (stem == "game")
			addChild(new StoryGame(story, colorOf(story), won));
		else
			page(OwnName.number(stem, 0));
	}

	static function colorOf(story:Int):Int {
		return Critter.kColors[story % Critter.kColors.length];
	}

	function addCritter(x:Float, y:Float, r:Float):Void {
		critter = new Sprite();
		Critter.draw(critter.graphics, 0, 0, r, colorOf(story));
		critter.x = x;
		critter.y = y;
		addChild(critter);
		addEventListener(Event.ENTER_FRAME, function(_) critter.y = y - Math.abs(Math.sin(++tick / 8)) * 24);
	}

	function titlePage():Void {
		Ui.drawBackground(graphics);
		Ui.drawCard(graphics, 230, 60, 500, 110, Ui.kWhite, 40);
		addChild(Ui.label("故事 " + (story + 1), 64, Ui.kBlue, 480, 115));
		addCritter(480, 380, 120);
	}

	/** Page P: the critter at one of five places, at a time of day, doing one thing. */
	function page(part:Int):Void {
		Scene.draw(graphics, part + story, Std.int(part / 9));
		Ui.drawCard(graphics, 200, 40, 560, 90, Ui.kWhite, 30);
		var place = Scene.kPlaces[(part + story) % 5];
		addChild(Ui.label("小家伙在" + place + kDoings[part % kDoings.length], 44, Ui.kInk, 480, 85));
		addCritter(260 + (part % 5) * 100, 400, 90);
	}

	function previewPage():Void {
		Ui.drawBackground(graphics, 0xC9B6E8);
		addChild(Ui.label("明天见！", 72, Ui.kWhite, 480, 110));
		addCritter(480, 360, 110);
		var friend = new Sprite();
		Critter.draw(friend.graphics, 760, 420, 60, colorOf(story + 1));
		addChild(friend);
	}

	function won():Void {
		if (stage != null)
			stage.dispatchEvent(new DataEvent(kGameWon, false, false, Std.string(story)));
	}
}
