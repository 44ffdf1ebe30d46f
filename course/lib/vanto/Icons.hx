package vanto;

import flash.display.Graphics;

/** Vector pictures for buttons, drawn centred on (0, 0) and fitting a circle of radius r. */
class Icons {
	public static function play(g:Graphics, r:Float):Void {
		g.beginFill(Ui.kWhite);
		g.moveTo(-r * 0.45, -r * 0.65);
		g.lineTo(r * 0.7, 0);
		g.lineTo(-r * 0.45, r * 0.65);
		g.endFill();
	}

	public static function arrowRight(g:Graphics, r:Float):Void {
		g.beginFill(Ui.kWhite);
		g.moveTo(-r * 0.7, -r * 0.22);
		g.lineTo(r * 0.05, -r * 0.22);
		g.lineTo(r * 0.05, -r * 0.6);
		g.lineTo(r * 0.75, 0);
		g.lineTo(r * 0.05, r * 0.6);
		g.lineTo(r * 0.05, r * 0.22);
		g.lineTo(-r * 0.7, r * 0.22);
		g.endFill();
	}

	public static function arrowLeft(g:Graphics, r:Float):Void {
		g.beginFill(Ui.kWhite);
		g.moveTo(r * 0.7, -r * 0.22);
		g.lineTo(-r * 0.05, -r * 0.22);
		g.lineTo(-r * 0.05, -r * 0.6);
		g.lineTo(-r * 0.75, 0);
		g.lineTo(-r * 0.05, r * 0.6);
		g.lineTo(-r * 0.05, r * 0.22);
		g.lineTo(r * 0.7, r * 0.22);
		g.endFill();
	}

	public static function house(g:Graphics, r:Float):Void {
		g.beginFill(Ui.kWhite);
		g.moveTo(0, -r * 0.75);
		g.lineTo(r * 0.75, -r * 0.05);
		g.lineTo(-r * 0.75, -r * 0.05);
		g.endFill();
		g.beginFill(Ui.kWhite);
		g.drawRect(-r * 0.5, -r * 0.1, r, r * 0.75);
		g.endFill();
		g.beginFill(Ui.kRed);
		g.drawRect(-r * 0.15, r * 0.2, r * 0.3, r * 0.45);
		g.endFill();
	}

	public static function speaker(g:Graphics, r:Float):Void {
		g.beginFill(Ui.kWhite);
		g.moveTo(-r * 0.7, -r * 0.25);
		g.lineTo(-r * 0.35, -r * 0.25);
		g.lineTo(r * 0.1, -r * 0.65);
		g.lineTo(r * 0.1, r * 0.65);
		g.lineTo(-r * 0.35, r * 0.25);
		g.lineTo(-r * 0.7, r * 0.25);
		g.endFill();
		g.lineStyle(r * 0.12, Ui.kWhite);
		g.moveTo(r * 0.3, -r * 0.3);
		g.curveTo(r * 0.5, 0, r * 0.3, r * 0.3);
		g.moveTo(r * 0.5, -r * 0.55);
		g.curveTo(r * 0.85, 0, r * 0.5, r * 0.55);
		g.lineStyle();
	}

	public static function microphone(g:Graphics, r:Float):Void {
		g.beginFill(Ui.kWhite);
		g.drawRoundRect(-r * 0.25, -r * 0.75, r * 0.5, r * 0.95, r * 0.5, r * 0.5);
		g.endFill();
		g.lineStyle(r * 0.1, Ui.kWhite);
		g.moveTo(-r * 0.45, -r * 0.1);
		g.curveTo(-r * 0.45, r * 0.45, 0, r * 0.45);
		g.curveTo(r * 0.45, r * 0.45, r * 0.45, -r * 0.1);
		g.moveTo(0, r * 0.45);
		g.lineTo(0, r * 0.75);
		g.moveTo(-r * 0.3, r * 0.75);
		g.lineTo(r * 0.3, r * 0.75);
		g.lineStyle();
	}

	public static function star(g:Graphics, r:Float):Void {
		g.lineStyle(r * 0.06, Ui.darker(Ui.kYellow));
		g.beginFill(Ui.kYellow);
		for (i in 0...11) {
			var a = -Math.PI / 2 + i * Math.PI / 5;
			var d = i % 2 == 0 ? r * 0.9 : r * 0.4;
			if (i == 0)
				g.moveTo(Math.cos(a) * d, Math.sin(a) * d);
			else
				g.lineTo(Math.cos(a) * d, Math.sin(a) * d);
		}
		g.endFill();
		g.lineStyle();
	}

	/** A calendar leaf: earlier days. */
	public static function calendar(g:Graphics, r:Float):Void {
		g.beginFill(Ui.kWhite);
		g.drawRoundRect(-r * 0.65, -r * 0.55, r * 1.3, r * 1.2, r * 0.2, r * 0.2);
		g.endFill();
		g.beginFill(Ui.kRed);
		g.drawRect(-r * 0.65, -r * 0.55, r * 1.3, r * 0.3);
		g.endFill();
		g.beginFill(Ui.kInk);
		for (row in 0...2)
			for (col in 0...3)
				g.drawRect(-r * 0.45 + col * r * 0.33, -r * 0.1 + row * r * 0.3, r * 0.2, r * 0.18);
		g.endFill();
	}

	/** A door with a heart: the parents' area. */
	public static function door(g:Graphics, r:Float):Void {
		g.beginFill(0x8B5A2B);
		g.drawRoundRect(-r * 0.45, -r * 0.75, r * 0.9, r * 1.5, r * 0.3, r * 0.3);
		g.endFill();
		g.beginFill(Ui.kYellow);
		g.drawCircle(r * 0.25, r * 0.05, r * 0.09);
		g.endFill();
		g.beginFill(Ui.kRed);
		g.drawCircle(-r * 0.1, -r * 0.4, r * 0.12);
		g.drawCircle(r * 0.1, -r * 0.4, r * 0.12);
		g.moveTo(-r * 0.21, -r * 0.36);
		g.lineTo(0, -r * 0.15);
		g.lineTo(r * 0.21, -r * 0.36);
		g.endFill();
	}

	/** A brush: how the character is written. */
	public static function brush(g:Graphics, r:Float):Void {
		g.lineStyle(r * 0.16, 0x8B5A2B);
		g.moveTo(r * 0.55, -r * 0.6);
		g.lineTo(-r * 0.05, r * 0.1);
		g.lineStyle();
		g.beginFill(Ui.kInk);
		g.moveTo(-r * 0.05, r * 0.0);
		g.curveTo(-r * 0.5, r * 0.3, -r * 0.65, r * 0.7);
		g.curveTo(-r * 0.2, r * 0.6, r * 0.1, r * 0.15);
		g.endFill();
	}

	/** A framed landscape: the picture of the word. */
	public static function picture(g:Graphics, r:Float):Void {
		g.beginFill(Ui.kWhite);
		g.drawRect(-r * 0.7, -r * 0.55, r * 1.4, r * 1.1);
		g.endFill();
		g.beginFill(Ui.kYellow);
		g.drawCircle(r * 0.35, -r * 0.22, r * 0.15);
		g.endFill();
		g.beginFill(Ui.kGreen);
		g.moveTo(-r * 0.7, r * 0.55);
		g.lineTo(-r * 0.2, -r * 0.1);
		g.lineTo(r * 0.15, r * 0.3);
		g.lineTo(r * 0.35, r * 0.1);
		g.lineTo(r * 0.7, r * 0.55);
		g.endFill();
	}

	public static function check(g:Graphics, r:Float):Void {
		g.lineStyle(r * 0.22, Ui.kWhite);
		g.moveTo(-r * 0.55, 0);
		g.lineTo(-r * 0.15, r * 0.4);
		g.lineTo(r * 0.6, -r * 0.45);
		g.lineStyle();
	}

	public static function cross(g:Graphics, r:Float):Void {
		g.lineStyle(r * 0.22, Ui.kWhite);
		g.moveTo(-r * 0.45, -r * 0.45);
		g.lineTo(r * 0.45, r * 0.45);
		g.moveTo(r * 0.45, -r * 0.45);
		g.lineTo(-r * 0.45, r * 0.45);
		g.lineStyle();
	}
}
