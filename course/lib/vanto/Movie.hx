package vanto;

import flash.display.Sprite;
import flash.events.DataEvent;
import flash.events.Event;

/**
	The base of every course movie's main sprite. A lesson movie runs inside the shell
	movie ("Vanto.swf"), which listens on the stage for `kNext` and `kHome`; a movie the
	host plays on its own goes back by asking the host for the shell movie again.
**/
class Movie extends Sprite {
	public static inline var kNext = "vantoNext";
	public static inline var kHome = "vantoHome";

	public function new() {
		super();
		Ui.drawBackground(graphics);
		if (stage != null)
			haxe.Timer.delay(begin, 0);
		else
			addEventListener(Event.ADDED_TO_STAGE, added);
	}

	function added(_):Void {
		removeEventListener(Event.ADDED_TO_STAGE, added);
		begin();
	}

	/** Runs once the movie is on the stage. */
	function begin():Void {}

	/** Puts the house button in the top-left corner. */
	function addHomeButton():Void {
		addChild(BigButton.home(goHome));
	}

	/** Ends this movie and asks for `url` next ("" when the documents name none). */
	function goNext(url:String):Void {
		Sounds.hush();
		if (stage != null && stage.hasEventListener(kNext))
			stage.dispatchEvent(new DataEvent(kNext, false, false, url));
		else
			Host.send("quit");
	}

	/** Back to the home screen. */
	function goHome():Void {
		Sounds.hush();
		if (stage != null && stage.hasEventListener(kHome))
			stage.dispatchEvent(new Event(kHome));
		else
			Host.send("quit");
	}

	/** Starts a movie class as the document of this SWF. */
	public static function run(movie:Movie):Void {
		flash.Lib.current.addChild(movie);
	}
}
