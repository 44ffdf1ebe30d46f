import flash.display.Sprite;
import flash.events.Event;
import vanto.*;

/** Bars of how loud the child spoke, and a star when the take is in. */
class LevelMeter extends Sprite {
	static inline var kBars = 16;
	static inline var kQuiet = 16;

	var w:Float;
	var h:Float;
	var state = "idle";

	public function new(x:Float, y:Float, w:Float, h:Float) {
		super();
		this.x = x;
		this.y = y;
		this.w = w;
		this.h = h;
		mouseEnabled = false;
		draw([], Ui.kWhite);
	}

	/** The microphone is open: bars that flicker in red until the report comes. */
	public function listening():Void {
		state = "waiting";
		addEventListener(Event.ENTER_FRAME, flicker);
	}

	function flicker(_):Void {
		if (state != "waiting") {
			removeEventListener(Event.ENTER_FRAME, flicker);
			return;
		}
		draw([for (i in 0...kBars) 0.1 + Math.random() * 0.5], 0xF7A1A1);
	}

	public function waiting():Bool {
		return state == "waiting";
	}

	/** Draws the reported levels (a level of 16 is silence) and a star. */
	public function show(levels:Array<Int>):Void {
		state = "done";
		var heights = [];
		var per = Math.max(1, Math.ceil(levels.length / kBars));
		for (b in 0...kBars) {
			var loudest = 0.0;
			for (k in 0...Std.int(per)) {
				var at = b * Std.int(per) + k;
				if (at < levels.length)
					loudest = Math.max(loudest, Math.abs(levels[at] - kQuiet) / 128);
			}
			heights.push(Math.max(0.08, Math.min(1, loudest)));
		}
		draw(heights, Ui.kGreen);
		addChild(Ui.picture(Icons.star, 60, w / 2, h + 75));
	}

	function draw(heights:Array<Float>, color:Int):Void {
		while (numChildren > 0)
			removeChildAt(0);
		graphics.clear();
		Ui.drawCard(graphics, 0, 0, w, h, Ui.kWhite, 24);
		var step = (w - 20) / kBars;
		graphics.beginFill(color);
		for (i in 0...heights.length) {
			var bar = heights[i] * (h - 20);
			graphics.drawRect(10 + i * step + 2, h - 10 - bar, step - 4, bar);
		}
		graphics.endFill();
	}
}
