import flash.display.Sprite;
import flash.events.MouseEvent;
import vanto.*;

/** The last days as calendar leaves; touching one reviews that day's lesson. */
class ReviewScreen extends Sprite {
	public function new(onPick:Int->Void, onHome:Void->Void) {
		super();
		addChild(BigButton.home(onHome));
		addChild(Ui.picture(Icons.calendar, 50, 480, 70));
		Docs.load("zjfx.xml", function(root) {
			var days = [for (d in root.nodes.day) if (d.has.storyId && d.att.storyId != "0") d];
			for (i in 0...days.length) {
				var back = Std.parseInt(days[i].att.storyId);
				var leaf = dayLeaf(days[i].has.time ? days[i].att.time : "", 100 + (i % 3) * 280, 150 + Std.int(i / 3) * 200);
				leaf.addEventListener(MouseEvent.CLICK, function(_) {
					Sounds.tap();
					onPick(back);
				});
				addChild(leaf);
			}
		});
	}

	function dayLeaf(time:String, x:Float, y:Float):Sprite {
		var leaf = new Sprite();
		leaf.x = x;
		leaf.y = y;
		Ui.drawCard(leaf.graphics, 0, 0, 200, 160, Ui.kWhite, 30);
		// Two fills: overlapping shapes in one fill would cancel each other out.
		leaf.graphics.beginFill(Ui.kRed);
		leaf.graphics.drawRoundRect(0, 0, 200, 52, 30, 30);
		leaf.graphics.endFill();
		leaf.graphics.beginFill(Ui.kRed);
		leaf.graphics.drawRect(0, 26, 200, 26);
		leaf.graphics.endFill();
		var parts = time.split("-");
		leaf.addChild(Ui.label(parts.length == 2 ? parts[0] + "月" : "", 30, Ui.kWhite, 100, 26));
		leaf.addChild(Ui.label(parts.length == 2 ? parts[1] : time, 72, Ui.kInk, 100, 106));
		leaf.buttonMode = true;
		leaf.mouseChildren = false;
		return leaf;
	}
}
