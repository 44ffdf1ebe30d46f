import flash.display.Sprite;
import flash.events.MouseEvent;
import vanto.*;

/** One character to read aloud and its sound. */
typedef Item = {
	text:String,
	sound:String
}

/**
	"GDLX.swf": follow-me-read. The child hears a character, taps the microphone and says
	it; the host records a short take and reports its loudness, drawn as a row of bars.
**/
class Main extends Movie {
	static inline var kTakeMs = 3200;
	static inline var kReportWaitMs = 1500;

	var items:Array<Item> = [];
	var index = 0;
	var page:Sprite;
	var meter:LevelMeter;
	var recording = false;
	var take = 0;

	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		addHomeButton();
		Host.listen("cbMicrophone", heard);
		Docs.load("config_GDLX.xml", function(root) {
			items = [for (item in root.nodes.item) {text: Docs.text(item, "text"), sound: Docs.text(item, "sound")}];
			if (items.length == 0) {
				goNext("");
				return;
			}
			show(0);
			Sounds.sayAll([Docs.text(root, "sndUrl"), items[0].sound]);
		}, goHome);
	}

	function show(i:Int):Void {
		stopRecording();
		index = i;
		var item = items[i];
		if (page != null)
			removeChild(page);
		page = new Sprite();
		addChildAt(page, 0);
		page.addChild(Ui.progressDots(i, items.length));
		Ui.drawCard(page.graphics, 150, 90, 360, 360, Ui.kWhite);
		var big = new Sprite();
		big.addChild(Ui.label(item.text, 220, Ui.kInk, 330, 270));
		big.buttonMode = true;
		big.addEventListener(MouseEvent.CLICK, function(_) Sounds.say(item.sound));
		page.addChild(big);
		page.addChild(new BigButton(330, 510, 80, Ui.kBlue, Icons.speaker, "", function() Sounds.say(item.sound)));
		page.addChild(new BigButton(680, 220, 150, Ui.kRed, Icons.microphone, "", toggleRecording));
		meter = new LevelMeter(580, 330, 200, 110);
		page.addChild(meter);
		page.addChild(new BigButton(850, 480, 130, Ui.kGreen, Icons.arrowRight, "", forward));
		if (i > 0)
			Sounds.say(item.sound);
	}

	function toggleRecording():Void {
		if (recording) {
			stopRecording();
			return;
		}
		Sounds.hush();
		recording = true;
		meter.listening();
		Host.send("microphone", "open");
		var mine = ++take;
		haxe.Timer.delay(function() if (mine == take) stopRecording(), kTakeMs);
	}

	function stopRecording():Void {
		if (!recording)
			return;
		recording = false;
		Host.send("microphone", "close");
		var mine = take;
		// Without a microphone no report comes: praise the try all the same.
		haxe.Timer.delay(function() if (mine == take && meter.waiting()) meter.show([]), kReportWaitMs);
	}

	/** The host's report: "0," then the loudness of each sample, each followed by a comma. */
	function heard(payload:String):Void {
		var levels = [for (part in payload.split(",").slice(1)) if (part != "") Std.parseInt(part)];
		// The take is over; the device stays open until we close it.
		stopRecording();
		meter.show([for (l in levels) if (l != null) l]);
	}

	function forward():Void {
		if (index + 1 < items.length)
			show(index + 1);
		else {
			stopRecording();
			goNext("");
		}
	}
}
