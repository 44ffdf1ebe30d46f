package vanto;

/** Turns paths relative to the movie's folder into URLs the player can load. */
class Paths {
	/** `relative` resolved against the folder of the movie that runs this code. */
	public static function url(relative:String):String {
		var own = flash.Lib.current.loaderInfo.url;
		var cut = own.indexOf("?");
		if (cut >= 0)
			own = own.substr(0, cut);
		return own.substr(0, own.lastIndexOf("/") + 1) + relative;
	}

	/** The same URL, made distinct so a document the host has just rewritten is read afresh. */
	public static function fresh(relative:String):String {
		return url(relative) + "?t=" + Std.int(haxe.Timer.stamp() * 1000);
	}
}
