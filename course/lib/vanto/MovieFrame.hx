package vanto;

import flash.display.Loader;
import flash.display.Sprite;
import flash.events.Event;
import flash.events.IOErrorEvent;
import flash.net.URLRequest;
import flash.system.ApplicationDomain;
import flash.system.LoaderContext;

/** A white framed box that plays a small movie (by path) scaled into it. */
class MovieFrame extends Sprite {
	var loader:Loader;
	var w:Float;
	var h:Float;

	public function new(x:Float, y:Float, w:Float, h:Float) {
		super();
		this.x = x;
		this.y = y;
		this.w = w;
		this.h = h;
		Ui.drawCard(graphics, 0, 0, w, h, Ui.kWhite, 40);
	}

	/** Replaces what the frame shows by the movie at `path`. */
	public function show(path:String):Void {
		clear();
		loader = new Loader();
		var mask = new Sprite();
		mask.graphics.beginFill(0);
		mask.graphics.drawRoundRect(6, 6, w - 12, h - 12, 30, 30);
		mask.graphics.endFill();
		addChild(mask);
		loader.mask = mask;
		var current = loader;
		current.contentLoaderInfo.addEventListener(Event.INIT, function(_) fit(current));
		current.contentLoaderInfo.addEventListener(IOErrorEvent.IO_ERROR, function(_) {});
		addChild(current);
		try {
			current.load(new URLRequest(Paths.url(path)), separateDomain());
		} catch (e:Dynamic) {}
	}

	/** Stops and removes the movie shown. */
	public function clear():Void {
		if (loader == null)
			return;
		try {
			loader.unloadAndStop();
		} catch (e:Dynamic) {}
		if (loader.mask != null)
			removeChild(loader.mask);
		removeChild(loader);
		loader = null;
	}

	function fit(l:Loader):Void {
		var info = l.contentLoaderInfo;
		var scale = Math.min((w - 20) / info.width, (h - 20) / info.height);
		l.scaleX = l.scaleY = scale;
		l.x = (w - info.width * scale) / 2;
		l.y = (h - info.height * scale) / 2;
	}

	/** Each course movie carries its own copy of this library: load it apart from ours. */
	public static function separateDomain():LoaderContext {
		return new LoaderContext(false, new ApplicationDomain(null));
	}
}
