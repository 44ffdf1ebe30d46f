package vanto;

import flash.display.Graphics;

/**
	Draws the outline of one written stroke given as an SVG path ("M x y Q ... C ... Z") in the
	stroke data's 1024-unit box, whose y axis points up from a baseline at 900.
**/
class StrokePath {
	/** Pieces a cubic curve is cut into: the player draws only straight and quadratic pieces. */
	static inline var kCubicSteps = 8;

	public var scale:Float;
	public var left:Float;
	public var top:Float;

	public function new(size:Float, left:Float, top:Float) {
		this.scale = size / 1024;
		this.left = left;
		this.top = top;
	}

	public inline function x(v:Float):Float {
		return left + v * scale;
	}

	public inline function y(v:Float):Float {
		return top + (900 - v) * scale;
	}

	/** Adds the path's outline to `g`; the caller begins and ends the fill. */
	public function draw(g:Graphics, path:String):Void {
		var tokens = ~/[\s,]+/g.split(StringTools.trim(~/([A-Za-z])/g.replace(path, " $1 ")));
		var i = 0;
		var cx = 0.0, cy = 0.0;
		inline function num():Float
			return Std.parseFloat(tokens[i++]);
		while (i < tokens.length) {
			switch (tokens[i++]) {
				case "M":
					cx = num();
					cy = num();
					g.moveTo(x(cx), y(cy));
				case "L":
					cx = num();
					cy = num();
					g.lineTo(x(cx), y(cy));
				case "Q":
					var qx = num(), qy = num();
					cx = num();
					cy = num();
					g.curveTo(x(qx), y(qy), x(cx), y(cy));
				case "C":
					var ax = num(), ay = num(), bx = num(), by = num(), ex = num(), ey = num();
					for (s in 1...kCubicSteps + 1) {
						var t = s / kCubicSteps, u = 1 - t;
						var px = u * u * u * cx + 3 * u * u * t * ax + 3 * u * t * t * bx + t * t * t * ex;
						var py = u * u * u * cy + 3 * u * u * t * ay + 3 * u * t * t * by + t * t * t * ey;
						g.lineTo(x(px), y(py));
					}
					cx = ex;
					cy = ey;
				case "Z":
				default:
			}
		}
	}
}
