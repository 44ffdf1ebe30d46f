package vanto;

import flash.display.Sprite;
import flash.events.MouseEvent;
import flash.text.TextField;
import flash.text.TextFieldAutoSize;
import flash.text.TextFieldType;
import flash.text.TextFormat;

/** Plain controls for screens that adults read: text buttons, input boxes, panels. */
class Form {
	/** A rounded button with a word on it, its top-left corner at (x, y). */
	public static function button(text:String, x:Float, y:Float, w:Float, h:Float, color:Int, onPress:Void->Void):Sprite {
		var b = new Sprite();
		b.x = x;
		b.y = y;
		Ui.drawCard(b.graphics, 0, 0, w, h, color, 18);
		b.addChild(Ui.label(text, Std.int(h * 0.42), Ui.kWhite, w / 2, h / 2));
		b.buttonMode = true;
		b.mouseChildren = false;
		b.addEventListener(MouseEvent.CLICK, function(_) {
			Sounds.tap();
			onPress();
		});
		return b;
	}

	/** A greyed button that does nothing, for the choice already made. */
	public static function disabled(text:String, x:Float, y:Float, w:Float, h:Float):Sprite {
		var b = new Sprite();
		b.x = x;
		b.y = y;
		Ui.drawCard(b.graphics, 0, 0, w, h, 0xC8C8C8, 18);
		b.addChild(Ui.label(text, Std.int(h * 0.42), Ui.kWhite, w / 2, h / 2));
		return b;
	}

	/** A one-line box to type into; `secret` hides what is typed. */
	public static function input(x:Float, y:Float, w:Float, secret = false, restrict:String = null):TextField {
		var field = new TextField();
		field.defaultTextFormat = new TextFormat(Ui.kFont, 24, Ui.kInk);
		field.type = TextFieldType.INPUT;
		field.border = true;
		field.borderColor = 0x8A93A8;
		field.background = true;
		field.backgroundColor = Ui.kWhite;
		field.displayAsPassword = secret;
		field.maxChars = secret ? 31 : 63;
		if (restrict != null)
			field.restrict = restrict;
		field.x = x;
		field.y = y;
		field.width = w;
		field.height = 36;
		return field;
	}

	/** A text starting at (x, y), left-aligned. */
	public static function text(value:String, size:Int, color:Int, x:Float, y:Float, bold = false):TextField {
		var field = Ui.label(value, size, color, 0, 0, bold);
		field.autoSize = TextFieldAutoSize.LEFT;
		field.x = x;
		field.y = y;
		return field;
	}

	/** A white panel with a title line. */
	public static function panel(title:String, x:Float, y:Float, w:Float, h:Float):Sprite {
		var p = new Sprite();
		p.x = x;
		p.y = y;
		Ui.drawCard(p.graphics, 0, 0, w, h, Ui.kWhite, 20);
		if (title != "")
			p.addChild(text(title, 22, Ui.kBlue, 18, 10, true));
		return p;
	}
}
