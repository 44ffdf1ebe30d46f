package vanto;

import flash.display.Graphics;

/** The round little animals that the stories and games are about, drawn at radius r. */
class Critter {
	public static var kColors = [0xFF8C42, 0x5DADE2, 0xF06292, 0x8BC34A, 0xFFC107, 0x9575CD, 0x4DB6AC, 0xE57373];

	/** A critter of colour `color`, facing the viewer, centred on (x, y). */
	public static function draw(g:Graphics, x:Float, y:Float, r:Float, color:Int, happy = true):Void {
		g.beginFill(Ui.darker(color));
		g.drawEllipse(x - r * 0.95, y - r * 1.05, r * 0.55, r * 0.7);
		g.drawEllipse(x + r * 0.4, y - r * 1.05, r * 0.55, r * 0.7);
		g.endFill();
		g.lineStyle(r * 0.06, Ui.darker(color));
		g.beginFill(color);
		g.drawCircle(x, y, r);
		g.endFill();
		g.lineStyle();
		g.beginFill(0xFFFFFF, 0.5);
		g.drawEllipse(x - r * 0.55, y + r * 0.05, r * 1.1, r * 0.8);
		g.endFill();
		for (side in [-1, 1]) {
			g.beginFill(Ui.kWhite);
			g.drawCircle(x + side * r * 0.35, y - r * 0.2, r * 0.22);
			g.endFill();
			g.beginFill(Ui.kInk);
			g.drawCircle(x + side * r * 0.32, y - r * 0.17, r * 0.11);
			g.endFill();
			g.beginFill(0xFF9AA2, 0.7);
			g.drawCircle(x + side * r * 0.62, y + r * 0.15, r * 0.12);
			g.endFill();
		}
		g.lineStyle(r * 0.07, Ui.kInk);
		g.moveTo(x - r * 0.2, y + r * 0.2);
		g.curveTo(x, y + (happy ? r * 0.42 : r * 0.1), x + r * 0.2, y + r * 0.2);
		g.lineStyle();
	}
}
