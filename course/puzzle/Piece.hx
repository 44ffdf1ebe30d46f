import flash.display.Loader;
import flash.display.Sprite;
import flash.events.Event;
import flash.events.MouseEvent;
import flash.net.URLRequest;
import vanto.*;

/** One piece of the picture puzzle: dragged by the child, it snaps into its place when near it. */
class Piece extends Sprite {
	static inline var kSnap = 45.0;

	public var placed = false;

	var homeX:Float;
	var homeY:Float;
	var onPlaced:Void->Void;

	/** Piece image `file`, shown at `scale`, whose place on the board is (homeX, homeY). */
	public function new(file:String, scale:Float, w:Float, h:Float, homeX:Float, homeY:Float, onPlaced:Void->Void) {
		super();
		this.homeX = homeX;
		this.homeY = homeY;
		this.onPlaced = onPlaced;
		var image = new Loader();
		image.scaleX = image.scaleY = scale;
		image.contentLoaderInfo.addEventListener(flash.events.IOErrorEvent.IO_ERROR, function(_) {});
		addChild(image);
		try {
			image.load(new URLRequest(Paths.fresh(file)));
		} catch (e:Dynamic) {}
		graphics.lineStyle(2, Ui.kWhite);
		graphics.beginFill(0xFFFFFF, 0.01);
		graphics.drawRect(0, 0, w * scale, h * scale);
		graphics.endFill();
		buttonMode = true;
		mouseChildren = false;
		addEventListener(MouseEvent.MOUSE_DOWN, grab);
	}

	function grab(_):Void {
		if (placed)
			return;
		parent.setChildIndex(this, parent.numChildren - 1);
		startDrag();
		stage.addEventListener(MouseEvent.MOUSE_UP, drop);
	}

	function drop(_):Void {
		stage.removeEventListener(MouseEvent.MOUSE_UP, drop);
		stopDrag();
		if (Math.abs(x - homeX) > kSnap || Math.abs(y - homeY) > kSnap)
			return;
		x = homeX;
		y = homeY;
		placed = true;
		buttonMode = false;
		graphics.clear();
		Sounds.tap();
		onPlaced();
	}
}
