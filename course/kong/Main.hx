import flash.display.Sprite;
import vanto.*;

/** "kong.swf" and "Kong.swf": a short cheer between activities, then home. */
class Main extends Movie {
	static inline var kStayMs = 4000;

	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		var star = new Sprite();
		Icons.star(star.graphics, 200);
		star.x = 480;
		star.y = 280;
		addChild(star);
		addChild(new BigButton(850, 480, 130, Ui.kGreen, Icons.house, "", goHome));
		Sounds.say("sound/right1.mp3");
		haxe.Timer.delay(goHome, kStayMs);
	}
}
