// A test movie for the course window: it sends a scripted series of
// fscommands, reports what it sees back with the command "report", and shows
// every line on the stage. Loaded as "flashGame.swf" it only says so.
import flash.Lib;
import flash.events.Event;
import flash.external.ExternalInterface;
import flash.system.System;
import flash.text.TextField;
import flash.text.TextFormat;

class ScriptedMovie {
  static var lines:TextField;
  static var frame = 0;
  static var step = 0;

  static function show(text:String) {
    lines.text = lines.text + text + "\n";
  }

  static function report(text:String) {
    show(text);
    Lib.fscommand("report", text);
  }

  static function main() {
    var stage = Lib.current.stage;
    Lib.current.graphics.beginFill(0xFFE9A8);
    Lib.current.graphics.drawRect(0, 0, 960, 600);
    Lib.current.graphics.endFill();
    lines = new TextField();
    lines.defaultTextFormat = new TextFormat("_sans", 28, 0x203070);
    lines.width = 920;
    lines.height = 560;
    lines.x = 20;
    lines.y = 20;
    Lib.current.addChild(lines);
    ExternalInterface.addCallback("cbChapter", function(chapter:String) {
      report("cbChapter " + chapter);
    });
    ExternalInterface.addCallback("SetVariable", function(name:String, value:String) {
      report("variable " + name + "=" + value);
    });
    var url = Lib.current.loaderInfo.url;
    show("汉字 课程窗口测试");
    if (url.indexOf("flashGame.swf") >= 0) {
      report("game movie started");
      return;
    }
    report("main movie started");
    stage.addEventListener(Event.ENTER_FRAME, function(_) {
      if (++frame % 15 == 0) next();
    });
  }

  static function next() {
    switch (step++) {
      case 0:
        var start = Lib.getTimer();
        Lib.fscommand("user", "7+8");
        report("user took " + (Lib.getTimer() - start) + " ms");
      case 1:
        Lib.fscommand("Chapters", "begin");
        show("after Chapters");
      case 2:
        Lib.fscommand("kid", "");
      case 4:
        Lib.fscommand("vanto", "restart");
      case 6:
        Lib.fscommand("game", "begin");
      default:
    }
  }
}
