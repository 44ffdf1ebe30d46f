import flash.net.SharedObject;
import vanto.*;

/**
	The learner's account: an identity (user id and number) kept in the movie's local
	store, with which the host logs in to the account service at start. A login makes the
	host adopt the service's learner state, so a new identity is made only on the
	learner's first study day: on a later day it would replace the progress with a new,
	empty account.
**/
class Account {
	static inline var kStore = "vanto-account";

	/** Logs in; `firstDay` allows making a new identity. Returns whether a login was sent. */
	public static function login(firstDay:Bool):Bool {
		var store = try SharedObject.getLocal(kStore, "/") catch (e:Dynamic) null;
		if (store == null)
			return false;
		var uid:Null<Int> = store.data.uid;
		var ppt:Null<Int> = store.data.ppt;
		if (uid != null && ppt != null && uid > 0 && ppt > 0) {
			Host.send("user", uid + "+" + ppt);
			return true;
		}
		if (!firstDay)
			return false;
		uid = 1 + Std.random(2000000000);
		ppt = 1 + Std.random(999999);
		store.data.uid = uid;
		store.data.ppt = ppt;
		try {
			store.flush();
		} catch (e:Dynamic) {
			return false;
		}
		Host.send("newuser", uid + "+" + ppt);
		return true;
	}
}
