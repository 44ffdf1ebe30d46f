package vanto;

/**
	What a template movie learns from its own file name: the course copies one build under
	many names ("gs3/7.swf", "movie/mf4.swf", "hlg/mouse/mouse.swf").
**/
class OwnName {
	/** The movie's path without scheme, host and query, as the player loaded it. */
	public static function path():String {
		var own = flash.Lib.current.loaderInfo.url;
		var cut = own.indexOf("?");
		return cut >= 0 ? own.substr(0, cut) : own;
	}

	/** The file name without ".swf" ("Synopsis3" for ".../gs3/Synopsis3.swf"). */
	public static function stem():String {
		var p = path();
		var name = p.substr(p.lastIndexOf("/") + 1);
		return name.toLowerCase().lastIndexOf(".swf") == name.length - 4 ? name.substr(0, name.length - 4) : name;
	}

	/** The name of the folder holding the movie ("mouse" for ".../hlg/mouse/mouse.swf"). */
	public static function folder():String {
		var p = path();
		p = p.substr(0, p.lastIndexOf("/"));
		return p.substr(p.lastIndexOf("/") + 1);
	}

	/** The first number in `text`, or `fallback` when it holds none. */
	public static function number(text:String, fallback = -1):Int {
		var r = ~/([0-9]+)/;
		return r.match(text) ? Std.parseInt(r.matched(1)) : fallback;
	}
}
