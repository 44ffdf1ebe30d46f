import flash.display.Sprite;
import flash.events.DataEvent;
import CourseIndex;
import vanto.*;

/**
	Plays one story: the host first makes sure its pages are here ("gushi"), then the title
	page with the day's story sound (the host meanwhile fetches tomorrow's content,
	"Synopsis"), the pages one by one, the story game, a magic card for winning it, and the
	preview of what comes next.
**/
class StoryPlayer extends Sprite {
	static inline var kGameWon = "vantoStoryGameWon";

	var story:StoryEntry;
	var index:CourseIndex;
	var onDone:Void->Void;
	var frame:MovieFrame;
	var controls:Sprite;
	var steps:Array<String>;
	var step = 0;

	public function new(story:StoryEntry, index:CourseIndex, onDone:Void->Void) {
		super();
		this.story = story;
		this.index = index;
		this.onDone = onDone;
		frame = new MovieFrame(150, 70, 660, 440);
		addChild(frame);
		controls = new Sprite();
		addChild(controls);
		steps = [story.synopsis].concat(story.pages);
		Host.send("gushi", Std.string(story.number));
		show(0);
	}

	function show(i:Int):Void {
		step = i;
		while (controls.numChildren > 0)
			controls.removeChildAt(0);
		controls.addChild(Ui.progressDots(i, steps.length + 1));
		frame.show(steps[i]);
		if (i == 0) {
			Host.send("Synopsis");
			Sounds.say(index.skipSound);
		}
		if (i > 0)
			controls.addChild(new BigButton(80, 300, 90, Ui.kOrange, Icons.arrowLeft, "", function() show(step - 1)));
		controls.addChild(new BigButton(880, 300, 110, Ui.kGreen, Icons.arrowRight, "", forward));
	}

	function forward():Void {
		if (step + 1 < steps.length)
			show(step + 1);
		else if (story.game != "")
			playGame();
		else
			preview();
	}

	/** The story game; winning it earns a magic card. */
	function playGame():Void {
		while (controls.numChildren > 0)
			controls.removeChildAt(0);
		controls.addChild(Ui.progressDots(steps.length, steps.length + 1));
		controls.addChild(new BigButton(880, 300, 110, Ui.kGreen, Icons.arrowRight, "", preview));
		stage.addEventListener(kGameWon, won);
		frame.show(story.game);
	}

	function won(_:DataEvent):Void {
		stage.removeEventListener(kGameWon, won);
		haxe.Timer.delay(function() {
			frame.clear();
			addChild(new CardReward(index.cards, preview));
		}, 1500);
	}

	function preview():Void {
		if (stage != null)
			stage.removeEventListener(kGameWon, won);
		while (controls.numChildren > 0)
			controls.removeChildAt(0);
		if (story.preview == "") {
			finish();
			return;
		}
		frame.show(story.preview);
		controls.addChild(new BigButton(880, 300, 110, Ui.kGreen, Icons.check, "", finish));
	}

	function finish():Void {
		frame.clear();
		onDone();
	}
}
