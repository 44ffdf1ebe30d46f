import flash.display.Sprite;
import vanto.*;

/** One answer in a mini-game: a mouse, balloon, fish or star carrying a character. */
class Target extends Sprite {
	public var text:String;
	public var homeX:Float;
	public var homeY:Float;

	public function new(theme:String, text:String, x:Float, y:Float) {
		super();
		this.text = text;
		this.x = homeX = x;
		this.y = homeY = y;
		var g = graphics;
		switch (theme) {
			case "mouse":
				g.beginFill(0x9E9E9E);
				g.drawCircle(-62, -62, 30);
				g.drawCircle(62, -62, 30);
				g.endFill();
				g.beginFill(0xF8BBD0);
				g.drawCircle(-62, -62, 16);
				g.drawCircle(62, -62, 16);
				g.endFill();
				Ui.drawCard(g, -80, -70, 160, 150, 0xBDBDBD, 80);
				g.beginFill(Ui.kInk);
				g.drawCircle(-30, -54, 6);
				g.endFill();
				g.beginFill(Ui.kInk);
				g.drawCircle(30, -54, 6);
				g.endFill();
				g.beginFill(0xF48FB1);
				g.drawCircle(0, 62, 8);
				g.endFill();
			case "Zida":
				g.lineStyle(3, Ui.kInk);
				g.moveTo(0, 85);
				g.curveTo(14, 120, 0, 150);
				g.lineStyle();
				g.lineStyle(4, Ui.darker(Ui.kRed));
				g.beginFill([Ui.kRed, Ui.kOrange, Ui.kPurple, Ui.kGreen][Std.int(Math.abs(x)) % 4]);
				g.drawEllipse(-78, -90, 156, 180);
				g.endFill();
				g.lineStyle();
			case "Vize":
				g.beginFill(Ui.kOrange);
				g.moveTo(55, 0);
				g.lineTo(90, -40);
				g.lineTo(90, 40);
				g.endFill();
				Ui.drawCard(g, -75, -62, 140, 124, Ui.kOrange, 110);
				g.beginFill(Ui.kInk);
				g.drawCircle(-55, -20, 6);
				g.endFill();
			default:
				Icons.star(g, 105);
		}
		var size = theme == "Tarqa" ? 64 : theme == "Vize" ? 72 : 80;
		addChild(Ui.label(text, size, Ui.kInk, theme == "Vize" ? -5 : 0, theme == "Tarqa" ? 8 : 0));
		buttonMode = true;
		mouseChildren = false;
	}
}
