import vanto.*;

/** "kong.swf" and "Kong.swf": a short cheer between activities, then home. */
class Main extends Movie {
	static inline var kStayMs = 4000;

	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		addChild(Ui.picture(Icons.star, 200, 480, 280));
		addChild(new BigButton(850, 480, 130, Ui.kGreen, Icons.house, "", goHome));
		Sounds.say("sound/right1.mp3");
		haxe.Timer.delay(goHome, kStayMs);
	}
}
