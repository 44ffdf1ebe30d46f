package vanto;

import flash.events.Event;
import flash.events.IOErrorEvent;
import flash.media.Sound;
import flash.media.SoundChannel;
import flash.net.URLRequest;

/**
	Plays course sounds by path. One voice speaks at a time (a new voice stops the
	previous one); touch sounds play over it. A sound that cannot be loaded or played,
	as on a machine without a sound device, is skipped silently and its follow-up still runs.
**/
class Sounds {
	static inline var kTap = "sound/tap.mp3";
	static inline var kLongest = 8000;

	static var voice:SoundChannel;
	static var voiceTicket = 0;

	/** The short touch sound every button makes. */
	public static function tap():Void {
		start(kTap, null);
	}

	/** Speaks `path`, then runs `done` (also when the sound is missing). */
	public static function say(path:String, ?done:Void->Void):Void {
		hush();
		var ticket = ++voiceTicket;
		var finish = function() {
			if (ticket != voiceTicket)
				return;
			voiceTicket++;
			if (done != null)
				done();
		};
		voice = start(path, finish);
	}

	/** Speaks the paths one after another, then runs `done`. */
	public static function sayAll(paths:Array<String>, ?done:Void->Void):Void {
		if (paths.length == 0) {
			if (done != null)
				done();
			return;
		}
		say(paths[0], function() sayAll(paths.slice(1), done));
	}

	/** Stops the voice; its follow-up does not run. */
	public static function hush():Void {
		voiceTicket++;
		if (voice != null)
			voice.stop();
		voice = null;
	}

	static function start(path:String, finish:Void->Void):SoundChannel {
		var once = function() if (finish != null) {
			var f = finish;
			finish = null;
			f();
		};
		if (path == null || path == "") {
			haxe.Timer.delay(once, 0);
			return null;
		}
		var sound = new Sound();
		sound.addEventListener(IOErrorEvent.IO_ERROR, function(_) once());
		var channel:SoundChannel = null;
		try {
			sound.load(new URLRequest(Paths.url(path)));
			channel = sound.play();
		} catch (e:Dynamic) {}
		if (channel == null) {
			haxe.Timer.delay(once, 400);
			return null;
		}
		channel.addEventListener(Event.SOUND_COMPLETE, function(_) once());
		// Without a sound device the end may never be reported: go on after the
		// sound's own length.
		sound.addEventListener(Event.COMPLETE, function(_) haxe.Timer.delay(once, Std.int(sound.length) + 400));
		haxe.Timer.delay(once, kLongest);
		return channel;
	}
}
