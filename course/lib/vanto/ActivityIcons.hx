package vanto;

import flash.display.Graphics;

/** Pictures for the buttons of the stories, magic cards and games, fitting a circle of radius r. */
class ActivityIcons {
	/** An open picture book: the stories. */
	public static function book(g:Graphics, r:Float):Void {
		g.lineStyle(r * 0.06, Ui.kInk);
		g.beginFill(Ui.kWhite);
		g.moveTo(0, -r * 0.45);
		g.curveTo(-r * 0.4, -r * 0.65, -r * 0.8, -r * 0.5);
		g.lineTo(-r * 0.8, r * 0.5);
		g.curveTo(-r * 0.4, r * 0.35, 0, r * 0.55);
		g.curveTo(r * 0.4, r * 0.35, r * 0.8, r * 0.5);
		g.lineTo(r * 0.8, -r * 0.5);
		g.curveTo(r * 0.4, -r * 0.65, 0, -r * 0.45);
		g.lineTo(0, r * 0.55);
		g.endFill();
		g.lineStyle();
		g.beginFill(Ui.kRed);
		g.drawCircle(-r * 0.4, -r * 0.05, r * 0.15);
		g.endFill();
		g.beginFill(Ui.kGreen);
		g.drawCircle(r * 0.4, r * 0.0, r * 0.15);
		g.endFill();
	}

	/** Two fanned cards with a star: the magic cards. */
	public static function cards(g:Graphics, r:Float):Void {
		g.lineStyle(r * 0.06, Ui.kInk);
		g.beginFill(Ui.kPurple);
		g.drawRoundRect(-r * 0.7, -r * 0.6, r * 0.8, r * 1.1, r * 0.2, r * 0.2);
		g.endFill();
		g.beginFill(Ui.kWhite);
		g.drawRoundRect(-r * 0.2, -r * 0.5, r * 0.8, r * 1.1, r * 0.2, r * 0.2);
		g.endFill();
		g.lineStyle();
		g.beginFill(Ui.kYellow);
		for (i in 0...11) {
			var a = -Math.PI / 2 + i * Math.PI / 5;
			var d = i % 2 == 0 ? r * 0.32 : r * 0.14;
			if (i == 0)
				g.moveTo(r * 0.2 + Math.cos(a) * d, r * 0.05 + Math.sin(a) * d);
			else
				g.lineTo(r * 0.2 + Math.cos(a) * d, r * 0.05 + Math.sin(a) * d);
		}
		g.endFill();
	}

	/** A game pad: the mini-games. */
	public static function games(g:Graphics, r:Float):Void {
		g.beginFill(Ui.kWhite);
		g.drawRoundRect(-r * 0.8, -r * 0.4, r * 1.6, r * 0.85, r * 0.6, r * 0.6);
		g.endFill();
		g.beginFill(Ui.kInk);
		g.drawRect(-r * 0.55, -r * 0.06, r * 0.4, r * 0.13);
		g.drawRect(-r * 0.415, -r * 0.2, r * 0.13, r * 0.4);
		g.endFill();
		g.beginFill(Ui.kRed);
		g.drawCircle(r * 0.3, -r * 0.07, r * 0.1);
		g.endFill();
		g.beginFill(Ui.kGreen);
		g.drawCircle(r * 0.52, r * 0.12, r * 0.1);
		g.endFill();
	}

	/** A puzzle piece: the picture puzzle. */
	public static function puzzle(g:Graphics, r:Float):Void {
		g.beginFill(Ui.kWhite);
		g.drawRect(-r * 0.5, -r * 0.4, r, r * 0.9);
		g.endFill();
		g.beginFill(Ui.kWhite);
		g.drawCircle(0, -r * 0.45, r * 0.2);
		g.endFill();
		g.beginFill(Ui.kWhite);
		g.drawCircle(r * 0.55, r * 0.05, r * 0.2);
		g.endFill();
	}
}
