import flash.display.Graphics;
import flash.display.Loader;
import flash.events.DataEvent;
import flash.events.IOErrorEvent;
import flash.net.URLRequest;
import vanto.*;

/**
	"flashGame.swf": the game room the host plays in place of the course ("game" with
	"begin"). The child picks one of the mini-games or the picture puzzle, which plays inside
	this movie until it reports its end; the house leaves the room ("game" with "quit"),
	after which the host shows its cheer movie and then the course again.
**/
class Main extends Movie {
	static inline var kDone = "vantoGameDone";

	var game:Loader;

	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		stage.addEventListener(kDone, function(_:DataEvent) haxe.Timer.delay(menu, 0));
		menu();
	}

	override function goHome():Void {
		Sounds.hush();
		Host.send("game", "quit");
	}

	function menu():Void {
		closeGame();
		while (numChildren > 0)
			removeChildAt(0);
		addHomeButton();
		var games:Array<{name:String, color:Int, icon:Graphics->Float->Void}> = [
			{name: "mouse", color: 0x8D8D8D, icon: mouseIcon},
			{name: "Zida", color: Ui.kRed, icon: balloonIcon},
			{name: "Vize", color: Ui.kBlue, icon: fishIcon},
			{name: "Tarqa", color: 0x283593, icon: starIcon},
			{name: "puzzle", color: Ui.kGreen, icon: ActivityIcons.puzzle}
		];
		for (i in 0...games.length) {
			var g = games[i];
			var x = i < 3 ? 220 + i * 260 : 350 + (i - 3) * 260;
			var y = i < 3 ? 200 : 420;
			addChild(new BigButton(x, y, 170, g.color, g.icon, "", function() open(g.name)));
		}
	}

	function open(name:String):Void {
		while (numChildren > 0)
			removeChildAt(0);
		game = new Loader();
		game.contentLoaderInfo.addEventListener(IOErrorEvent.IO_ERROR, function(_) menu());
		addChild(game);
		try {
			game.load(new URLRequest(Paths.url("hlg/" + name + "/" + name + ".swf")), MovieFrame.separateDomain());
		} catch (e:Dynamic) {
			menu();
		}
	}

	function closeGame():Void {
		if (game == null)
			return;
		try {
			game.unloadAndStop();
		} catch (e:Dynamic) {}
		if (game.parent != null)
			removeChild(game);
		game = null;
	}

	static function mouseIcon(g:Graphics, r:Float):Void {
		for (part in [[-0.45, -0.4, 0.28], [0.45, -0.4, 0.28], [0, 0.05, 0.55]]) {
			g.beginFill(0xD0D0D0);
			g.drawCircle(part[0] * r, part[1] * r, part[2] * r);
			g.endFill();
		}
		g.beginFill(Ui.kInk);
		g.drawCircle(-r * 0.2, -r * 0.05, r * 0.08);
		g.drawCircle(r * 0.2, -r * 0.05, r * 0.08);
		g.endFill();
		g.beginFill(0xF48FB1);
		g.drawCircle(0, r * 0.2, r * 0.1);
		g.endFill();
	}

	static function balloonIcon(g:Graphics, r:Float):Void {
		g.lineStyle(r * 0.05, Ui.kWhite);
		g.moveTo(0, r * 0.35);
		g.lineTo(0, r * 0.8);
		g.lineStyle();
		g.beginFill(Ui.kWhite);
		g.drawEllipse(-r * 0.4, -r * 0.75, r * 0.8, r * 1.1);
		g.endFill();
	}

	static function fishIcon(g:Graphics, r:Float):Void {
		g.beginFill(Ui.kOrange);
		g.drawEllipse(-r * 0.6, -r * 0.35, r * 0.95, r * 0.7);
		g.moveTo(r * 0.25, 0);
		g.lineTo(r * 0.7, -r * 0.35);
		g.lineTo(r * 0.7, r * 0.35);
		g.endFill();
		g.beginFill(Ui.kInk);
		g.drawCircle(-r * 0.35, -r * 0.08, r * 0.07);
		g.endFill();
	}

	static function starIcon(g:Graphics, r:Float):Void {
		Icons.star(g, r * 0.9);
	}
}
