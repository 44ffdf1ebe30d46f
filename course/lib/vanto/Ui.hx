package vanto;

import flash.display.Graphics;
import flash.display.Sprite;
import flash.text.TextField;
import flash.text.TextFieldAutoSize;
import flash.text.TextFormat;
import flash.text.TextFormatAlign;

/** Screen size, colours and the drawing helpers every screen shares. */
class Ui {
	public static inline var kWidth = 960;
	public static inline var kHeight = 600;

	public static inline var kSky = 0xBFE6FF;
	public static inline var kGrass = 0x9BD770;
	public static inline var kInk = 0x27324A;
	public static inline var kRed = 0xF05A5A;
	public static inline var kOrange = 0xFFA630;
	public static inline var kYellow = 0xFFD23F;
	public static inline var kGreen = 0x4CB944;
	public static inline var kBlue = 0x3A8DDE;
	public static inline var kPurple = 0x9B6BD6;
	public static inline var kWhite = 0xFFFFFF;

	/** The player's sans-serif device font, which the host maps to a CJK font. */
	public static inline var kFont = "_sans";

	/** Sky, hills and a sun behind every screen. */
	public static function drawBackground(g:Graphics, sky:Int = kSky):Void {
		g.beginFill(sky);
		g.drawRect(0, 0, kWidth, kHeight);
		g.endFill();
		g.beginFill(0xFFF3B0);
		g.drawCircle(880, 70, 46);
		g.endFill();
		g.beginFill(kGrass);
		g.moveTo(0, 520);
		g.curveTo(240, 470, 480, 515);
		g.curveTo(720, 560, 960, 500);
		g.lineTo(960, 600);
		g.lineTo(0, 600);
		g.endFill();
	}

	/** A text centred on (x, y), not clickable. */
	public static function label(text:String, size:Int, color:Int, x:Float, y:Float, bold = true):TextField {
		var field = new TextField();
		var format = new TextFormat(kFont, size, color, bold);
		format.align = TextFormatAlign.CENTER;
		field.defaultTextFormat = format;
		field.selectable = false;
		field.mouseEnabled = false;
		field.autoSize = TextFieldAutoSize.CENTER;
		field.text = text;
		field.x = x - field.width / 2;
		field.y = y - field.height / 2;
		return field;
	}

	/** A rounded card with a soft shadow, its top-left corner at (x, y). */
	public static function drawCard(g:Graphics, x:Float, y:Float, w:Float, h:Float, color:Int, radius = 36.0):Void {
		g.beginFill(0x000000, 0.15);
		g.drawRoundRect(x + 5, y + 7, w, h, radius, radius);
		g.endFill();
		g.lineStyle(4, darker(color));
		g.beginFill(color);
		g.drawRoundRect(x, y, w, h, radius, radius);
		g.endFill();
		g.lineStyle();
	}

	/** A row of dots showing how far along the child is: done ones filled. */
	public static function progressDots(done:Int, total:Int, y:Float = 40):Sprite {
		var dots = new Sprite();
		var step = 34.0;
		var left = (kWidth - step * (total - 1)) / 2;
		for (i in 0...total) {
			dots.graphics.lineStyle(3, i <= done ? darker(kYellow) : 0x8CB8DC);
			dots.graphics.beginFill(i <= done ? kYellow : kWhite);
			dots.graphics.drawCircle(left + i * step, y, i == done ? 14 : 10);
			dots.graphics.endFill();
		}
		dots.mouseEnabled = false;
		return dots;
	}

	/** A picture (see Icons) of radius `r` centred on (x, y), not clickable. */
	public static function picture(draw:Graphics->Float->Void, r:Float, x:Float, y:Float):Sprite {
		var sprite = new Sprite();
		draw(sprite.graphics, r);
		sprite.x = x;
		sprite.y = y;
		sprite.mouseEnabled = false;
		return sprite;
	}

	/** A coloured disc of radius `r` with a picture on it, centred on (x, y), not clickable. */
	public static function badge(draw:Graphics->Float->Void, color:Int, r:Float, x:Float, y:Float):Sprite {
		return picture(function(g, size) {
			g.beginFill(color);
			g.drawCircle(0, 0, size);
			g.endFill();
			draw(g, size * 0.78);
		}, r, x, y);
	}

	/**
		A character on a white card with its top-left corner at (x, y); touching it runs
		`onTouch` when one is given.
	**/
	public static function characterTile(text:String, x:Float, y:Float, w:Float, h:Float, ink:Int, ?onTouch:Void->Void):Sprite {
		var tile = new Sprite();
		tile.x = x;
		tile.y = y;
		drawCard(tile.graphics, 0, 0, w, h, kWhite, Math.min(w, h) * 0.22);
		tile.addChild(label(text, Std.int(Math.min(w, h) * 0.68), ink, w / 2, h / 2));
		tile.mouseChildren = false;
		if (onTouch != null) {
			tile.buttonMode = true;
			tile.addEventListener(flash.events.MouseEvent.CLICK, function(_) onTouch());
		}
		return tile;
	}

	public static function darker(color:Int):Int {
		var r = (color >> 16) & 0xFF, g = (color >> 8) & 0xFF, b = color & 0xFF;
		return (Std.int(r * 0.75) << 16) | (Std.int(g * 0.75) << 8) | Std.int(b * 0.75);
	}
}
