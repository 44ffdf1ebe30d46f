package vanto;

import flash.net.SharedObject;

/**
	The learner's account number pair (user id and its number), kept in the player's local
	store so the course can name its learner to the host at every start.
**/
class Identity {
	/** Tells the host the remembered learner, without a request to the account service. */
	public static function restore():Void {
		var pair = remembered();
		if (pair != null)
			Host.send("CookieUser", pair.uid + "|" + pair.ppt);
	}

	/** The remembered pair, or null. */
	public static function remembered():{uid:Int, ppt:Int} {
		try {
			var data = SharedObject.getLocal("vanto", "/").data;
			var uid:Int = data.uid, ppt:Int = data.ppt;
			return uid > 0 && ppt > 0 ? {uid: uid, ppt: ppt} : null;
		} catch (e:Dynamic) {
			return null;
		}
	}

	/** Keeps the pair for the next start. */
	public static function remember(uid:Int, ppt:Int):Void {
		try {
			var store = SharedObject.getLocal("vanto", "/");
			store.data.uid = uid;
			store.data.ppt = ppt;
			store.flush();
		} catch (e:Dynamic) {}
	}
}
