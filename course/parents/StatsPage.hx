import flash.display.Sprite;
import vanto.*;

/**
	The statistics: the days and characters so far (from "stat.xml"), the current chapter's
	learned, fallible and still-to-learn characters, and one bar per chapter.
**/
class StatsPage extends Sprite {
	public function new() {
		super();
		var summary = Form.panel("", 30, 0, 900, 64);
		addChild(summary);
		var lists = Form.panel("", 30, 80, 430, 360);
		addChild(lists);
		var chart = Form.panel("各章进度", 480, 80, 450, 360);
		addChild(chart);
		Docs.load("stat.xml", function(root) {
			var days = [["注册天数", "registerDays"], ["学习天数", "learnDays"], ["已学字数", "learnWords"]];
			for (i in 0...days.length)
				summary.addChild(Form.text(days[i][0] + "：" + Docs.text(root, days[i][1]), 24, Ui.kInk, 24 + i * 290, 16, true));
			if (root.hasNode.chapter)
				showLists(lists, root.node.chapter);
		}, function() summary.addChild(Form.text("还没有统计：请先让孩子学习一天。", 24, Ui.kRed, 24, 16)));
		ChapterCounts.loadAll(function(all) drawChart(chart, all));
	}

	function showLists(panel:Sprite, chapter:haxe.xml.Access):Void {
		var title = ChapterCounts.titleOf(chapter.has.name ? chapter.att.name : "", 0) + "（" + (chapter.has.wordNum ? chapter.att.wordNum : "?") + "字）";
		panel.addChild(Form.text("本章：" + title, 22, Ui.kBlue, 18, 10, true));
		var rows = [
			{list: "learned", title: "已学会", color: Ui.kGreen},
			{list: "fallibility", title: "易错字", color: Ui.kRed},
			{list: "learning", title: "待学习", color: Ui.kOrange}
		];
		for (r in 0...rows.length) {
			var top = 56 + r * 100;
			panel.addChild(Form.text(rows[r].title, 22, rows[r].color, 18, top, true));
			var words = chapter.hasNode.resolve(rows[r].list) ? [for (w in chapter.node.resolve(rows[r].list).nodes.word) w] : [];
			if (words.length == 0)
				panel.addChild(Form.text("（无）", 22, 0x8A93A8, 110, top));
			for (i in 0...words.length) {
				var w = words[i];
				var x = 110 + (i % 9) * 34;
				panel.addChild(Form.text(w.has.hanzi ? w.att.hanzi : "", 26, Ui.kInk, x, top - 4));
				var rate = w.has.rate ? Std.int(Std.parseFloat(w.att.rate) * 100) : 0;
				panel.addChild(Form.text(rate + "%", 12, 0x6A7388, x, top + 34));
			}
		}
	}

	/** One row per chapter: a bar split into characters met (green), fallible (red) and still to learn. */
	function drawChart(panel:Sprite, all:Array<ChapterCounts>):Void {
		var left = 120.0, width = 230.0;
		for (c in all) {
			var top = 46 + c.index * 44;
			panel.addChild(Form.text(c.title(), 18, c.isCurrent ? Ui.kBlue : Ui.kInk, 14, top + 4, c.isCurrent));
			if (!c.loaded || c.size == 0)
				continue;
			var g = panel.graphics;
			g.beginFill(0xE4E7EE);
			g.drawRect(left, top + 6, width, 24);
			g.endFill();
			g.beginFill(Ui.kGreen);
			g.drawRect(left, top + 6, width * (c.seen - c.fallible) / c.size, 24);
			g.endFill();
			g.beginFill(Ui.kRed);
			g.drawRect(left + width * (c.seen - c.fallible) / c.size, top + 6, width * c.fallible / c.size, 24);
			g.endFill();
			panel.addChild(Form.text(c.seen + "/" + c.size + "  " + Std.int(c.meanRate * 100) + "%", 16, Ui.kInk, left + width + 8, top + 8));
		}
		var g = panel.graphics;
		var legend = [{color: Ui.kGreen, title: "学过"}, {color: Ui.kRed, title: "易错"}, {color: 0xE4E7EE, title: "未学"}];
		for (i in 0...legend.length) {
			g.beginFill(legend[i].color);
			g.drawRect(200 + i * 90, 324, 18, 18);
			g.endFill();
			panel.addChild(Form.text(legend[i].title, 16, Ui.kInk, 224 + i * 90, 322));
		}
		panel.addChild(Form.text("百分数：平均正确率", 14, 0x6A7388, 14, 324));
	}
}
