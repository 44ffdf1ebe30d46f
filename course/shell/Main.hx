import flash.display.Loader;
import flash.display.Sprite;
import flash.events.DataEvent;
import flash.events.Event;
import flash.net.URLRequest;
import vanto.*;

/**
	"Vanto.swf": the shell. It shows the home screen and its small screens, and plays the
	day's lesson movies inside itself in the order the documents give, then the quiz,
	then the movie the quiz document names.
**/
class Main extends Movie {
	var screen:Sprite;
	var lesson:Loader;
	var chapter = -1;
	var reviewing = false;

	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		stage.addEventListener(Movie.kNext, function(e:DataEvent) next(e.data));
		stage.addEventListener(Movie.kHome, function(_) home());
		Host.listenVariables(function(name, value) if (name == "chapter") showChapter(value));
		home();
		Docs.load("stat.xml", function(root) {
			// The login may bring the account's learner state and new documents.
			if (Account.login(Docs.text(root, "learnDays") == "1") && Std.isOfType(screen, HomeScreen))
				home();
		});
	}

	function showChapter(value:String):Void {
		var c = Std.parseInt(value);
		chapter = c == null ? -1 : c;
		if (Std.isOfType(screen, HomeScreen))
			cast(screen, HomeScreen).showChapter(chapter);
	}

	override function goHome():Void {
		home();
	}

	function home():Void {
		Sounds.hush();
		closeLesson();
		if (reviewing) {
			// A review leaves the earlier day's lesson documents behind; have today's written again.
			reviewing = false;
			Host.send("fuxi", "0");
		}
		var screen = new HomeScreen(chapter, startToday, function() show(new ReviewScreen(startReview, home)), function() openLesson("parents.swf"));
		screen.addChild(new BigButton(700, 460, 130, Ui.kPurple, ActivityIcons.book, "", openIsland));
		show(screen);
		// A movie played inside the shell (the parents' area) may have taken the chapter call-back.
		Host.listen("cbChapter", showChapter);
		Host.send("Chapters", "begin");
	}

	/** The story island that "content.xml" names for the learner's story. */
	function openIsland():Void {
		Docs.load("content.xml", function(root) {
			var island = Docs.text(root, "mainStr");
			openLesson(island == "" ? "MainBranch0.swf" : island);
		}, function() openLesson("MainBranch0.swf"));
	}

	function startToday(firstUrl:String):Void {
		reviewing = false;
		openLesson(firstUrl);
	}

	/** Reviews the study day `daysBack` days ago: the host fetches its media and writes its lesson documents. */
	function startReview(daysBack:Int):Void {
		Host.send("fuxi", Std.string(daysBack));
		reviewing = true;
		openLesson("CSHZ.swf");
	}

	/** A lesson movie ended and named the next one; none means the quiz comes next. */
	function next(url:String):Void {
		if (url != "")
			openLesson(url);
		else
			show(new QuizScreen(quizDone, home));
	}

	function quizDone(afterQuiz:String):Void {
		if (reviewing) {
			home();
			return;
		}
		// The day's study is done: the host records it, then reports it to the account.
		Host.send("SKSZ", "finish");
		Host.send("SKSZ", "end");
		if (afterQuiz == "")
			home();
		else
			openLesson(afterQuiz);
	}

	function show(next:Sprite):Void {
		closeLesson();
		if (screen != null)
			removeChild(screen);
		screen = next;
		addChild(screen);
	}

	function openLesson(url:String):Void {
		if (screen != null)
			removeChild(screen);
		screen = null;
		closeLesson();
		lesson = new Loader();
		lesson.contentLoaderInfo.addEventListener(flash.events.IOErrorEvent.IO_ERROR, function(_) home());
		addChild(lesson);
		try {
			lesson.load(new URLRequest(Paths.url(url)), MovieFrame.separateDomain());
		} catch (e:Dynamic) {
			home();
		}
	}

	function closeLesson():Void {
		if (lesson == null)
			return;
		try {
			lesson.unloadAndStop();
		} catch (e:Dynamic) {}
		removeChild(lesson);
		lesson = null;
	}
}
