package vanto;

import flash.net.SharedObject;

/**
	The learner's account identity (user id and number) as the shell keeps it in the
	movie's local store "vanto-account", for the movies that show or change it.
**/
class Identity {
	static inline var kStore = "vanto-account";

	/**
		Names the remembered learner to the host without asking the account service, so that a
		parent's sign-in that follows keeps the child's account.
	**/
	public static function restore():Void {
		var pair = remembered();
		if (pair != null)
			Host.send("CookieUser", pair.uid + "|" + pair.ppt);
	}

	/** The remembered pair, or null. */
	public static function remembered():{uid:Int, ppt:Int} {
		try {
			var data = SharedObject.getLocal(kStore, "/").data;
			var uid:Null<Int> = data.uid, ppt:Null<Int> = data.ppt;
			return uid != null && ppt != null && uid > 0 && ppt > 0 ? {uid: uid, ppt: ppt} : null;
		} catch (e:Dynamic) {
			return null;
		}
	}

	/** Keeps the pair for the next start. */
	public static function remember(uid:Int, ppt:Int):Void {
		try {
			var store = SharedObject.getLocal(kStore, "/");
			store.data.uid = uid;
			store.data.ppt = ppt;
			store.flush();
		} catch (e:Dynamic) {}
	}
}
