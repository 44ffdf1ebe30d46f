// A still picture at 30 frames per second, for measuring what playing costs
// when nothing moves.
import flash.Lib;
import flash.text.TextField;
import flash.text.TextFormat;

class StillMovie {
  static function main() {
    var g = Lib.current.graphics;
    g.beginFill(0xBFE3FF);
    g.drawRect(0, 0, 960, 600);
    g.endFill();
    g.beginFill(0xFFC94A);
    g.drawCircle(800, 130, 70);
    g.endFill();
    var title = new TextField();
    title.defaultTextFormat = new TextFormat("_sans", 96, 0x203070);
    title.text = "山 水 日 月";
    title.width = 900;
    title.height = 160;
    title.x = 60;
    title.y = 300;
    Lib.current.addChild(title);
  }
}
