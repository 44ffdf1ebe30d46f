package vanto;

/** Turns paths relative to the movie's folder into URLs the player can load. */
class Paths {
	/**
		How many folders the movie's own file lies below the program folder ("hlg/mouse/mouse.swf"
		sets 2), so that the program's paths resolve from the program folder.
	**/
	public static var depth = 0;

	/** `relative` resolved against the program folder. */
	public static function url(relative:String):String {
		var own = flash.Lib.current.loaderInfo.url;
		var cut = own.indexOf("?");
		if (cut >= 0)
			own = own.substr(0, cut);
		var folder = own.substr(0, own.lastIndexOf("/"));
		for (i in 0...depth)
			folder = folder.substr(0, folder.lastIndexOf("/"));
		return folder + "/" + relative;
	}

	/** The same URL, made distinct so a document the host has just rewritten is read afresh. */
	public static function fresh(relative:String):String {
		return url(relative) + "?t=" + Std.int(haxe.Timer.stamp() * 1000);
	}
}
