package vanto;

import flash.events.Event;
import flash.events.IOErrorEvent;
import flash.events.SecurityErrorEvent;
import flash.net.URLLoader;
import flash.net.URLRequest;
import haxe.xml.Access;

/** Loads the XML documents the host writes beside the movie. */
class Docs {
	/** Reads `path` and hands its root element to `done`; `failed` runs when it is missing or broken. */
	public static function load(path:String, done:Access->Void, ?failed:Void->Void):Void {
		loadText(path, function(text) {
			var root = try Xml.parse(text).firstElement() catch (e:Dynamic) null;
			if (root == null) {
				if (failed != null)
					failed();
			} else
				done(new Access(root));
		}, failed);
	}

	/** Reads `path` as UTF-8 text. */
	public static function loadText(path:String, done:String->Void, ?failed:Void->Void):Void {
		var loader = new URLLoader();
		var fail = function(_) if (failed != null) failed();
		loader.addEventListener(Event.COMPLETE, function(_) done(Std.string(loader.data)));
		loader.addEventListener(IOErrorEvent.IO_ERROR, fail);
		loader.addEventListener(SecurityErrorEvent.SECURITY_ERROR, fail);
		try {
			loader.load(new URLRequest(Paths.fresh(path)));
		} catch (e:Dynamic) {
			fail(null);
		}
	}

	/** The text of child `name`, or "" when it is absent. */
	public static function text(node:Access, name:String):String {
		return node.hasNode.resolve(name) ? inner(node.node.resolve(name)) : "";
	}

	/** The texts of every child called `name`, in order. */
	public static function texts(node:Access, name:String):Array<String> {
		return [for (child in node.nodes.resolve(name)) inner(child)];
	}

	/** The text inside an element; "" for an empty one. */
	public static function inner(node:Access):String {
		return node.x.firstChild() == null ? "" : node.innerData;
	}
}
