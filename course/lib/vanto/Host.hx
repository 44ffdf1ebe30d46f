package vanto;

import flash.external.ExternalInterface;

/** The channel to the course host: commands out, call-backs in. */
class Host {
	/** Sends one command to the host; the host handles it before this returns. */
	public static function send(command:String, argument:String = ""):Void {
		try {
			flash.Lib.fscommand(command, argument);
		} catch (e:Dynamic) {}
	}

	/** Lets the host call `handler` by `name` with one text argument. */
	public static function listen(name:String, handler:String->Void):Void {
		register(name, handler);
	}

	/**
		Lets the host set a movie variable: the player has no way into a movie's variables,
		so it calls "SetVariable" with the name and the value.
	**/
	public static function listenVariables(handler:String->String->Void):Void {
		register("SetVariable", handler);
	}

	static function register(name:String, handler:Dynamic):Void {
		if (!ExternalInterface.available)
			return;
		try {
			ExternalInterface.addCallback(name, handler);
		} catch (e:Dynamic) {}
	}
}
