package vanto;

import flash.display.Graphics;
import flash.display.Sprite;
import flash.events.MouseEvent;

/** A large round or rounded button with a picture and an optional word; it sounds when touched. */
class BigButton extends Sprite {
	var onPress:Void->Void;

	/**
		A button centred on (x, y). `icon` draws the picture (see Icons) at radius `size` / 2;
		`caption` is a word below the picture, "" for none.
	**/
	public function new(x:Float, y:Float, size:Float, color:Int, icon:Graphics->Float->Void, caption:String, onPress:Void->Void,
			?width:Float) {
		super();
		this.onPress = onPress;
		this.x = x;
		this.y = y;
		var w = width == null ? size : width;
		var h = caption == "" ? size : size + size * 0.3;
		if (caption == "" && width == null) {
			graphics.beginFill(0x000000, 0.15);
			graphics.drawCircle(4, 6, size / 2);
			graphics.endFill();
			graphics.lineStyle(5, Ui.kWhite);
			graphics.beginFill(color);
			graphics.drawCircle(0, 0, size / 2);
			graphics.endFill();
			graphics.lineStyle();
		} else
			Ui.drawCard(graphics, -w / 2, -h / 2, w, h, color, 40);
		var picture = new Sprite();
		picture.y = caption == "" ? 0 : -size * 0.12;
		icon(picture.graphics, size * 0.42);
		picture.mouseEnabled = false;
		addChild(picture);
		if (caption != "")
			addChild(Ui.label(caption, Std.int(size * 0.2), Ui.kWhite, 0, h / 2 - size * 0.2));
		buttonMode = true;
		useHandCursor = true;
		mouseChildren = false;
		addEventListener(MouseEvent.MOUSE_DOWN, function(_) scaleX = scaleY = 0.92);
		addEventListener(MouseEvent.MOUSE_OUT, function(_) scaleX = scaleY = 1);
		addEventListener(MouseEvent.CLICK, press);
	}

	/** The house button in the top-left corner that leads home. */
	public static function home(onPress:Void->Void):BigButton {
		return new BigButton(58, 58, 84, Ui.kOrange, Icons.house, "", onPress);
	}

	function press(_):Void {
		scaleX = scaleY = 1;
		Sounds.tap();
		onPress();
	}
}
