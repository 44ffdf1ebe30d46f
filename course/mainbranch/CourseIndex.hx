import vanto.*;

/** One story of the course index: its title page, pages, game, score and preview. */
typedef StoryEntry = {
	number:Int,
	synopsis:String,
	pages:Array<String>,
	game:String,
	score:Int,
	preview:String
}

/** One magic card: its number (1 to 9), its movie and how many the child holds. */
typedef Card = {
	id:Int,
	movie:String,
	count:Int
}

/** The stories and magic cards the course index "main.xml" lists. */
class CourseIndex {
	public var stories:Array<StoryEntry> = [];
	public var cards:Array<Card> = [];
	public var skipSound = "";

	public function new() {}

	/** Reads "main.xml" afresh; `done` gets an empty index when it is missing. */
	public static function load(done:CourseIndex->Void):Void {
		var index = new CourseIndex();
		Docs.load("main.xml", function(root) {
			index.skipSound = Docs.text(root, "skipSnd");
			if (root.hasNode.mofaData)
				for (m in root.node.mofaData.nodes.mofa)
					index.cards.push({
						id: m.has.id ? Std.parseInt(m.att.id) : 0,
						movie: m.has.card ? m.att.card : "",
						count: Std.parseInt(Docs.inner(m))
					});
			for (entry in root.nodes.index)
				index.stories.push(readStory(entry));
			done(index);
		}, function() done(index));
	}

	static function readStory(entry:haxe.xml.Access):StoryEntry {
		var paths = entry.hasNode.gushi ? Docs.texts(entry.node.gushi, "path") : [];
		var synopsis = Docs.text(entry, "skip");
		var score = Std.parseInt(Docs.text(entry, "result"));
		return {
			number: storyNumber(synopsis),
			synopsis: synopsis,
			pages: [for (p in paths) if (p.indexOf("game.swf") < 0) p],
			game: [for (p in paths) if (p.indexOf("game.swf") >= 0) p].concat([""])[0],
			score: score == null ? 0 : score,
			preview: Docs.text(entry, "yugao")
		};
	}

	/** The story number in a path such as "gs3/Synopsis3.swf". */
	static function storyNumber(path:String):Int {
		var r = ~/gs([0-9]+)\//;
		return r.match(path) ? Std.parseInt(r.matched(1)) : 0;
	}
}
