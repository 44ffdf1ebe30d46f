import vanto.*;

/** What one chapter document ("Chapter%d.xml") says, counted for the parents' tables. */
class ChapterCounts {
	/** A character met more than once whose success rate is below this counts as fallible. */
	static inline var kFallibleRate = 0.5;

	public var index:Int;
	public var name = "";
	public var size = 0;
	public var isCurrent = false;
	public var seen = 0;
	public var fallible = 0;
	public var toLearn = 0;
	public var meanRate = 0.0;
	public var loaded = false;

	public function new(index:Int) {
		this.index = index;
	}

	/** The chapter as a parent reads it: "第一章" for the name "一". */
	public function title():String {
		return titleOf(loaded ? name : "", index);
	}

	public static function titleOf(name:String, index:Int):String {
		return name == "" ? "第" + (index + 1) + "章" : name.length <= 2 ? "第" + name + "章" : name;
	}

	/** Reads "Chapter<index>.xml"; `done` runs also when it is missing. */
	public function load(done:Void->Void):Void {
		Docs.load("Chapter" + index + ".xml", function(root) {
			loaded = true;
			name = root.has.name ? root.att.name : "";
			size = root.has.wordNum ? Std.parseInt(root.att.wordNum) : 0;
			isCurrent = root.has.isCurrent && root.att.isCurrent == "true";
			var rates = 0.0;
			for (w in root.nodes.word) {
				var times = w.has.learnNum ? Std.parseInt(w.att.learnNum) : 0;
				var rate = w.has.rate ? Std.parseFloat(w.att.rate) : 0;
				if (times == 0) {
					toLearn++;
					continue;
				}
				seen++;
				rates += rate;
				if (times > 1 && rate < kFallibleRate)
					fallible++;
			}
			meanRate = seen == 0 ? 0 : rates / seen;
			done();
		}, done);
	}

	/** Reads all six chapter documents, then hands them to `done` in chapter order. */
	public static function loadAll(done:Array<ChapterCounts>->Void):Void {
		var all = [for (i in 0...6) new ChapterCounts(i)];
		var waiting = all.length;
		for (c in all)
			c.load(function() if (--waiting == 0) done(all));
	}
}
