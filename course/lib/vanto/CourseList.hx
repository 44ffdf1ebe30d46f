package vanto;

/** Reads one character's line of the course list "list.txt" in the program folder. */
class CourseList {
	/** The number in a per-character movie's own file name ("bh/12.swf" gives 12), or -1. */
	public static function ownIndex():Int {
		var r = ~/([0-9]+)\.swf/;
		return r.match(flash.Lib.current.loaderInfo.url) ? Std.parseInt(r.matched(1)) : -1;
	}

	/** Hands the TAB-separated fields of line `index` to `done` (no fields when it is missing). */
	public static function fields(relativeList:String, index:Int, done:Array<String>->Void):Void {
		Docs.loadText(relativeList, function(text) {
			var lines = text.split("\n");
			done(index >= 0 && index < lines.length ? StringTools.replace(lines[index], "\r", "").split("\t") : []);
		}, function() done([]));
	}
}
