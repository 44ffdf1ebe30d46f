import flash.display.Graphics;
import flash.display.Sprite;
import flash.events.Event;
import vanto.*;

/**
	"movie/mfN.swf": magic card N (1 to 9), one build copied under the nine names. Each card
	has its own colour and charm and twinkles while it is shown.
**/
class Main extends Sprite {
	static inline var kWidth = 300;
	static inline var kHeight = 400;
	static var kColors = [0xF06292, 0x5DADE2, 0xFFB300, 0x66BB6A, 0x9575CD, 0xFF7043, 0x26C6DA, 0xEC407A, 0x8D6E63];
	static var kNames = ["星星", "月亮", "太阳", "花朵", "爱心", "宝石", "云朵", "彩虹", "皇冠"];

	var sparkles:Sprite;
	var tick = 0;

	static function main() {
		flash.Lib.current.addChild(new Main());
	}

	function new() {
		super();
		var n = Std.int(Math.max(1, Math.min(9, OwnName.number(OwnName.stem(), 1))));
		var color = kColors[n - 1];
		Ui.drawCard(graphics, 8, 8, kWidth - 16, kHeight - 16, color, 40);
		graphics.beginFill(Ui.kWhite, 0.9);
		graphics.drawRoundRect(30, 30, kWidth - 60, 250, 30, 30);
		graphics.endFill();
		var charm = new Sprite();
		charm.x = kWidth / 2;
		charm.y = 155;
		drawCharm(charm.graphics, n, 95, color);
		addChild(charm);
		addChild(Ui.label(kNames[n - 1], 44, Ui.kWhite, kWidth / 2, 335));
		sparkles = new Sprite();
		addChild(sparkles);
		addEventListener(Event.ENTER_FRAME, function(_) {
			tick++;
			charm.rotation = Math.sin(tick / 15) * 8;
			drawSparkles();
		});
	}

	function drawSparkles():Void {
		var g = sparkles.graphics;
		g.clear();
		for (i in 0...6) {
			var a = tick / 20 + i * Math.PI / 3;
			var size = 6 + 4 * Math.sin(tick / 6 + i);
			g.beginFill(Ui.kYellow);
			g.drawCircle(kWidth / 2 + Math.cos(a) * 120, 155 + Math.sin(a) * 110, size);
			g.endFill();
		}
	}

	static function drawCharm(g:Graphics, n:Int, r:Float, color:Int):Void {
		switch (n) {
			case 1:
				Icons.star(g, r);
			case 2:
				g.beginFill(Ui.kYellow);
				g.drawCircle(0, 0, r * 0.8);
				g.endFill();
				g.beginFill(Ui.kWhite);
				g.drawCircle(r * 0.35, -r * 0.25, r * 0.7);
				g.endFill();
			case 3:
				g.lineStyle(r * 0.1, 0xFF8F00);
				for (k in 0...12) {
					var a = k * Math.PI / 6;
					g.moveTo(Math.cos(a) * r * 0.6, Math.sin(a) * r * 0.6);
					g.lineTo(Math.cos(a) * r * 0.95, Math.sin(a) * r * 0.95);
				}
				g.lineStyle();
				g.beginFill(0xFFC107);
				g.drawCircle(0, 0, r * 0.5);
				g.endFill();
			case 4:
				for (k in 0...5) {
					g.beginFill(0xF48FB1);
					g.drawCircle(Math.cos(k * 1.2566) * r * 0.45, Math.sin(k * 1.2566) * r * 0.45, r * 0.38);
					g.endFill();
				}
				g.beginFill(Ui.kYellow);
				g.drawCircle(0, 0, r * 0.3);
				g.endFill();
			case 5:
				for (side in [-1, 1]) {
					g.beginFill(Ui.kRed);
					g.drawCircle(side * r * 0.35, -r * 0.2, r * 0.42);
					g.endFill();
				}
				g.beginFill(Ui.kRed);
				g.moveTo(-r * 0.75, -r * 0.05);
				g.lineTo(0, r * 0.8);
				g.lineTo(r * 0.75, -r * 0.05);
				g.endFill();
			case 6:
				g.lineStyle(4, Ui.darker(color));
				g.beginFill(0x80DEEA);
				g.moveTo(-r * 0.8, -r * 0.3);
				g.lineTo(-r * 0.4, -r * 0.75);
				g.lineTo(r * 0.4, -r * 0.75);
				g.lineTo(r * 0.8, -r * 0.3);
				g.lineTo(0, r * 0.85);
				g.endFill();
				g.lineStyle();
			case 7:
				for (puff in [[-0.4, 0.1, 0.4], [0.05, -0.2, 0.5], [0.5, 0.15, 0.38]]) {
					g.beginFill(0xB3E5FC);
					g.drawCircle(puff[0] * r, puff[1] * r, puff[2] * r);
					g.endFill();
				}
				g.beginFill(0xB3E5FC);
				g.drawRect(-r * 0.4, r * 0.1, r * 0.9, r * 0.43);
				g.endFill();
			case 8:
				var bands = [Ui.kRed, Ui.kOrange, Ui.kYellow, Ui.kGreen, Ui.kBlue, Ui.kPurple];
				for (k in 0...bands.length) {
					g.lineStyle(r * 0.12, bands[k]);
					var rr = r * (0.95 - k * 0.12);
					g.moveTo(-rr, r * 0.4);
					g.curveTo(-rr, -rr * 1.1 + r * 0.4, 0, -rr + r * 0.4);
					g.curveTo(rr, -rr * 1.1 + r * 0.4, rr, r * 0.4);
				}
				g.lineStyle();
			default:
				g.lineStyle(4, 0xFF8F00);
				g.beginFill(Ui.kYellow);
				g.moveTo(-r * 0.8, r * 0.5);
				g.lineTo(-r * 0.8, -r * 0.4);
				g.lineTo(-r * 0.4, 0);
				g.lineTo(0, -r * 0.7);
				g.lineTo(r * 0.4, 0);
				g.lineTo(r * 0.8, -r * 0.4);
				g.lineTo(r * 0.8, r * 0.5);
				g.endFill();
				g.lineStyle();
		}
	}
}
