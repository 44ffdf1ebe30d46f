import flash.display.Sprite;
import vanto.*;

/**
	The chapter change: the six chapters with their size, the current one marked. A change is
	confirmed first, then sent to the host, which changes it locally and with the account service.
**/
class ChaptersPage extends Sprite {
	var onChanged:Void->Void;
	var rows:Sprite;
	var current = -1;

	public function new(onChanged:Void->Void) {
		super();
		this.onChanged = onChanged;
		addChild(Form.panel("选择孩子要学的章节", 30, 0, 900, 440));
		rows = new Sprite();
		addChild(rows);
		Host.listen("cbChapter", function(c) haxe.Timer.delay(function() showRows(Std.parseInt(c)), 0));
		Host.send("Chapters", "begin");
	}

	function showRows(chapter:Int):Void {
		current = chapter;
		ChapterCounts.loadAll(function(all) {
			while (rows.numChildren > 0)
				rows.removeChildAt(0);
			for (c in all) {
				var top = 52 + c.index * 62;
				var mine = c.index == current;
				rows.addChild(Form.text(c.title(), 26, mine ? Ui.kBlue : Ui.kInk, 60, top + 8, mine));
				rows.addChild(Form.text(c.size + " 字，学过 " + c.seen + " 字", 20, 0x6A7388, 330, top + 12));
				if (mine)
					rows.addChild(Form.disabled("正在学", 700, top, 190, 50));
				else
					rows.addChild(Form.button("换到这一章", 700, top, 190, 50, Ui.kOrange, function() confirm(c)));
			}
		});
	}

	function confirm(c:ChapterCounts):Void {
		var box = new Sprite();
		box.graphics.beginFill(0x000000, 0.35);
		box.graphics.drawRect(0, -140, Ui.kWidth, Ui.kHeight);
		box.graphics.endFill();
		Ui.drawCard(box.graphics, 230, 60, 500, 240, Ui.kWhite, 24);
		box.addChild(Ui.label("把课程换到", 28, Ui.kInk, 480, 110));
		box.addChild(Ui.label(c.title() + "？", 34, Ui.kBlue, 480, 160));
		box.addChild(Form.button("确定", 280, 220, 180, 56, Ui.kGreen, function() {
			removeChild(box);
			change(c.index);
		}));
		box.addChild(Form.button("取消", 500, 220, 180, 56, 0x8A93A8, function() removeChild(box)));
		addChild(box);
	}

	/** The host changes the chapter, asks the account service to confirm and fetches its content. */
	function change(chapter:Int):Void {
		Host.send("currentChapter", Std.string(chapter));
		Host.send("Chapters", "begin");
		haxe.Timer.delay(onChanged, 300);
	}
}
