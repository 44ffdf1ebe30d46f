import flash.display.Shape;
import flash.display.Sprite;
import flash.events.Event;
import vanto.*;

/** One stroke: its outline and the centre line a brush follows along it. */
typedef Stroke = {
	outline:String,
	median:Array<Array<Float>>
}

/**
	Writes a character stroke by stroke in the order it is written: each stroke fills in along
	its centre line as a brush would draw it, then the next begins; the whole repeats.
**/
class StrokeAnimation extends Sprite {
	static inline var kUnitsPerFrame = 30.0;
	static inline var kBrushWidth = 150.0;
	static inline var kPauseFrames = 8;
	static inline var kEndFrames = 60;

	var strokes:Array<Stroke>;
	var path:StrokePath;
	var done:Shape;
	var current:Shape;
	var brush:Shape;
	var index = 0;
	var travelled = 0.0;
	var waiting = 0;

	public function new(strokes:Array<Stroke>, size:Float, margin:Float) {
		super();
		this.strokes = strokes;
		path = new StrokePath(size - 2 * margin, margin, margin);
		var shadow = new Shape();
		for (s in strokes)
			fill(shadow, s, 0xD8D8D8);
		addChild(shadow);
		done = new Shape();
		addChild(done);
		current = new Shape();
		addChild(current);
		brush = new Shape();
		addChild(brush);
		current.mask = brush;
		startStroke(0);
		addEventListener(Event.ENTER_FRAME, step);
	}

	function fill(target:Shape, s:Stroke, color:Int):Void {
		target.graphics.beginFill(color);
		path.draw(target.graphics, s.outline);
		target.graphics.endFill();
	}

	function startStroke(i:Int):Void {
		index = i;
		travelled = 0;
		current.graphics.clear();
		brush.graphics.clear();
		if (i == 0)
			done.graphics.clear();
		if (i < strokes.length)
			fill(current, strokes[i], Ui.kRed);
	}

	function step(_):Void {
		if (waiting > 0) {
			waiting--;
			return;
		}
		if (index >= strokes.length) {
			startStroke(0);
			return;
		}
		travelled += kUnitsPerFrame;
		if (drawBrush(strokes[index].median, travelled)) {
			fill(done, strokes[index], Ui.kInk);
			startStroke(index + 1);
			waiting = index >= strokes.length ? kEndFrames : kPauseFrames;
		}
	}

	/** Draws the brush along `median` up to `length` units; true once it reached the end. */
	function drawBrush(median:Array<Array<Float>>, length:Float):Bool {
		var g = brush.graphics;
		g.clear();
		g.lineStyle(kBrushWidth * path.scale, 0, 1);
		g.moveTo(path.x(median[0][0]), path.y(median[0][1]));
		var left = length;
		for (k in 1...median.length) {
			var ax = median[k - 1][0], ay = median[k - 1][1];
			var dx = median[k][0] - ax, dy = median[k][1] - ay;
			var piece = Math.sqrt(dx * dx + dy * dy);
			if (piece >= left) {
				var t = piece == 0 ? 1 : left / piece;
				g.lineTo(path.x(ax + dx * t), path.y(ay + dy * t));
				return false;
			}
			left -= piece;
			g.lineTo(path.x(median[k][0]), path.y(median[k][1]));
		}
		return true;
	}

	/** The strokes of the stroke data ("strokes" outlines and "medians" centre lines), or null. */
	public static function read(json:String):Array<Stroke> {
		try {
			var data:Dynamic = haxe.Json.parse(json);
			var outlines:Array<String> = data.strokes;
			var medians:Array<Array<Array<Float>>> = data.medians;
			if (outlines == null || medians == null || outlines.length != medians.length || outlines.length == 0)
				return null;
			return [for (i in 0...outlines.length) if (medians[i].length > 0) {outline: outlines[i], median: medians[i]}];
		} catch (e:Dynamic) {
			return null;
		}
	}
}
