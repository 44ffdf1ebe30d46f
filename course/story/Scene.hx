import flash.display.Graphics;
import vanto.*;

/** The backdrops of the story pages, each a place the critter visits. */
class Scene {
	public static var kPlaces = ["草地", "大树", "小河", "山上", "花园"];

	/** Draws place `place` (0 to 4) with the sky of `hour` (0 morning, 1 day, 2 evening). */
	public static function draw(g:Graphics, place:Int, hour:Int):Void {
		Ui.drawBackground(g, [0xFFE3C2, Ui.kSky, 0xC9B6E8][hour % 3]);
		switch (place % 5) {
			case 1:
				g.beginFill(0x8B5A2B);
				g.drawRect(690, 250, 50, 270);
				g.endFill();
				g.beginFill(Ui.kGreen);
				g.drawCircle(715, 220, 110);
				g.drawCircle(640, 270, 70);
				g.drawCircle(790, 270, 70);
				g.endFill();
			case 2:
				g.beginFill(0x6EC6FF);
				g.moveTo(0, 540);
				g.curveTo(480, 470, 960, 540);
				g.lineTo(960, 600);
				g.lineTo(0, 600);
				g.endFill();
			case 3:
				g.beginFill(0x8FA8C8);
				g.moveTo(420, 520);
				g.lineTo(700, 160);
				g.lineTo(960, 520);
				g.endFill();
				g.beginFill(Ui.kWhite);
				g.moveTo(650, 225);
				g.lineTo(700, 160);
				g.lineTo(750, 225);
				g.endFill();
			case 4:
				for (i in 0...9) {
					var fx = 80 + i * 100, fy = 540 + (i % 2) * 20;
					g.beginFill([Ui.kRed, Ui.kYellow, Ui.kPurple][i % 3]);
					for (a in 0...5)
						g.drawCircle(fx + Math.cos(a * 1.256) * 14, fy + Math.sin(a * 1.256) * 14, 10);
					g.endFill();
					g.beginFill(Ui.kYellow);
					g.drawCircle(fx, fy, 8);
					g.endFill();
				}
			default:
				g.beginFill(Ui.kWhite);
				g.drawCircle(200, 120, 40);
				g.drawCircle(250, 110, 50);
				g.drawCircle(300, 125, 38);
				g.endFill();
		}
	}
}
