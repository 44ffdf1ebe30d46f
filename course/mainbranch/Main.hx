import flash.display.Sprite;
import flash.events.MouseEvent;
import CourseIndex;
import vanto.*;

/**
	"MainBranchN.swf": the story island, one build copied under every name "content.xml" can
	give. It shows the stories of the course index along a path (finished ones with their
	score, today's big), the magic card shelf, and the way to the mini-games, which the host
	plays as a movie of their own ("game").
**/
class Main extends Movie {
	static inline var kShown = 6;

	var screen:Sprite;

	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		showIsland();
	}

	/** Replaces the screen; every screen but the card shelf, which has its own way back, gets the house. */
	function show(next:Sprite, withHome = true):Void {
		while (numChildren > 0)
			removeChildAt(0);
		screen = next;
		addChild(screen);
		if (withHome)
			addHomeButton();
	}

	function showIsland():Void {
		var island = new Sprite();
		show(island);
		CourseIndex.load(function(index) {
			var stories = index.stories.slice(-kShown);
			drawPath(island, stories.length);
			for (i in 0...stories.length)
				island.addChild(storyStop(stories[i], i == stories.length - 1, stopX(i, stories.length), stopY(i), index));
			island.addChild(new BigButton(140, 480, 130, Ui.kPurple, ActivityIcons.cards, "", function() show(new CardShelf(index.cards, showIsland), false)));
			island.addChild(new BigButton(850, 490, 130, Ui.kBlue, ActivityIcons.games, "", function() Host.send("game", "begin")));
		});
	}

	static function stopX(i:Int, count:Int):Float {
		return count <= 1 ? 480 : 180 + i * 520 / (count - 1);
	}

	static function stopY(i:Int):Float {
		return i % 2 == 0 ? 260 : 360;
	}

	/** The island in the sea, and the path along the stories. */
	function drawPath(island:Sprite, count:Int):Void {
		var g = island.graphics;
		g.beginFill(0x7CC8F0);
		g.drawRect(0, 0, Ui.kWidth, Ui.kHeight);
		g.endFill();
		g.beginFill(0xF7E3A8);
		g.drawEllipse(60, 150, 840, 340);
		g.endFill();
		g.beginFill(Ui.kGrass);
		g.drawEllipse(100, 175, 760, 270);
		g.endFill();
		g.lineStyle(26, 0xF3D9A4);
		for (i in 0...count)
			if (i == 0)
				g.moveTo(stopX(i, count), stopY(i));
			else
				g.lineTo(stopX(i, count), stopY(i));
		g.lineStyle();
	}

	/** One story on the path: today's is big with its critter, earlier ones small with their score. */
	function storyStop(story:StoryEntry, today:Bool, x:Float, y:Float, index:CourseIndex):Sprite {
		var stop = new Sprite();
		stop.x = x;
		stop.y = y;
		var r = today ? 85 : 60;
		stop.graphics.lineStyle(6, Ui.kWhite);
		stop.graphics.beginFill(today ? Ui.kYellow : 0x9ED3F5);
		stop.graphics.drawCircle(0, 0, r);
		stop.graphics.endFill();
		stop.graphics.lineStyle();
		Critter.draw(stop.graphics, 0, 0, r * 0.6, Critter.kColors[story.number % Critter.kColors.length]);
		var badge = new Sprite();
		Icons.star(badge.graphics, today ? 30 : 24);
		badge.x = r * 0.75;
		badge.y = -r * 0.75;
		stop.addChild(badge);
		stop.addChild(Ui.label(Std.string(story.number + 1), 24, Ui.kInk, r * 0.75, -r * 0.72));
		if (!today)
			stop.addChild(Ui.label(story.score + "分", 22, Ui.kInk, 0, r + 18));
		stop.buttonMode = true;
		stop.mouseChildren = false;
		stop.addEventListener(MouseEvent.CLICK, function(_) {
			Sounds.tap();
			play(story, index);
		});
		return stop;
	}

	function play(story:StoryEntry, index:CourseIndex):Void {
		show(new StoryPlayer(story, index, showIsland));
	}
}
