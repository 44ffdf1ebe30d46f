import flash.display.Sprite;
import flash.events.DataEvent;
import vanto.*;

/**
	"hlg/puzzle/puzzle.swf": the picture puzzle. The host loads its cutting plug-in
	("puzzle" with "begin"), cuts a character's picture into a grid of pieces ("puzzle" with
	the grid size) beside this movie and names the character; the child drags the pieces
	into place, then hears the character. Every step is answered by the host's call-back.
**/
class Main extends Movie {
	static inline var kDone = "vantoGameDone";
	static inline var kGrid = "3";
	static inline var kBoard = 400.0;
	static inline var kBoardX = 60.0;
	static inline var kBoardY = 130.0;
	static inline var kTrayX = 510.0;
	static inline var kTrayY = 110.0;
	static inline var kTrayStep = 140.0;

	var layer:Sprite;
	var pieces:Array<Piece> = [];
	var hanzi = "";
	var sound = "";

	static function main() {
		Movie.run(new Main());
	}

	override function begin() {
		Paths.depth = 2;
		layer = new Sprite();
		addChild(layer);
		addHomeButton();
		Host.listen("cbPuzzle", function(payload) haxe.Timer.delay(function() answered(payload), 0));
		Host.send("puzzle", "begin");
	}

	override function goHome():Void {
		Sounds.hush();
		Host.send("puzzle", "exit");
		if (stage != null && stage.hasEventListener(kDone))
			stage.dispatchEvent(new DataEvent(kDone, false, false, "puzzle"));
		else
			Host.send("game", "quit");
	}

	function answered(payload:String):Void {
		if (payload.indexOf("error_") == 0) {
			if (payload != "error_exit")
				unavailable();
		} else if (payload == "begin")
			Host.send("puzzle", kGrid);
		else if (payload == kGrid)
			Docs.load("hlg/puzzle/hanzi.xml", function(root) {
				hanzi = Docs.text(root, "hanzi");
				sound = StringTools.replace(Docs.text(root, "sound"), "./", "");
				Docs.load("hlg/puzzle/puzzle.xml", deal, unavailable);
			}, unavailable);
	}

	function clear():Void {
		while (layer.numChildren > 0)
			layer.removeChildAt(0);
		layer.graphics.clear();
		pieces = [];
	}

	/** Lays the board out and scatters the pieces to its right. */
	function deal(root:haxe.xml.Access):Void {
		clear();
		var w = Std.parseFloat(root.att.width), h = Std.parseFloat(root.att.height);
		var scale = Math.min(kBoard / w, kBoard / h);
		Ui.drawCard(layer.graphics, kBoardX - 10, kBoardY - 10, w * scale + 20, h * scale + 20, Ui.kWhite, 20);
		layer.graphics.beginFill(0xE4E7EE);
		layer.graphics.drawRect(kBoardX, kBoardY, w * scale, h * scale);
		layer.graphics.endFill();
		var all = [for (p in root.nodes.piece) p];
		var cols = Std.parseInt(root.att.cols);
		for (p in all) {
			var piece = new Piece("hlg/puzzle/" + p.att.file, scale, Std.parseFloat(p.att.width), Std.parseFloat(p.att.height),
				kBoardX + Std.parseFloat(p.att.x) * scale, kBoardY + Std.parseFloat(p.att.y) * scale, placed);
			// The pieces wait beside the board in reverse order, so none starts next to its place.
			var slot = all.length - 1 - Std.parseInt(p.att.id);
			piece.x = kTrayX + (slot % cols) * kTrayStep;
			piece.y = kTrayY + Std.int(slot / cols) * (kTrayStep + 10);
			layer.addChild(piece);
			pieces.push(piece);
		}
		drawSlots(cols, Std.parseInt(root.att.rows), w * scale, h * scale);
		layer.addChild(Ui.label("拼一拼", 40, Ui.kInk, kBoardX + w * scale / 2, 70));
	}

	/** Thin lines on the board where the pieces go. */
	function drawSlots(cols:Int, rows:Int, w:Float, h:Float):Void {
		var g = layer.graphics;
		g.lineStyle(2, 0xB8BFCC);
		for (c in 1...cols) {
			g.moveTo(kBoardX + c * w / cols, kBoardY);
			g.lineTo(kBoardX + c * w / cols, kBoardY + h);
		}
		for (r in 1...rows) {
			g.moveTo(kBoardX, kBoardY + r * h / rows);
			g.lineTo(kBoardX + w, kBoardY + r * h / rows);
		}
		g.lineStyle();
	}

	function placed():Void {
		for (p in pieces)
			if (!p.placed)
				return;
		var card = new Sprite();
		Ui.drawCard(card.graphics, 560, 140, 300, 300, Ui.kYellow, 40);
		card.addChild(Ui.label(hanzi, 200, Ui.kRed, 710, 290));
		layer.addChild(card);
		layer.addChild(new BigButton(710, 520, 100, Ui.kBlue, Icons.play, "", function() Host.send("puzzle", kGrid)));
		Sounds.sayAll([sound, "sound/right1.mp3"]);
	}

	/** Without the plug-in or a picture there is no puzzle today: say so kindly. */
	function unavailable():Void {
		clear();
		Critter.draw(layer.graphics, 480, 300, 110, Ui.kOrange, false);
		layer.addChild(Ui.label("拼图休息了", 44, Ui.kInk, 480, 470));
	}
}
