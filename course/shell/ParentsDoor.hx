import flash.display.Sprite;
import vanto.*;

/** The parents' door: their area is not built yet, so it says so and leads back. */
class ParentsDoor extends Sprite {
	public function new(onHome:Void->Void) {
		super();
		addChild(new BigButton(58, 58, 84, Ui.kOrange, Icons.house, "", onHome));
		var door = new Sprite();
		Icons.door(door.graphics, 170);
		door.x = 480;
		door.y = 250;
		addChild(door);
		addChild(Ui.label("家长园地", 48, Ui.kInk, 480, 450));
		addChild(Ui.label("快要开门了", 36, Ui.kBlue, 480, 510));
	}
}
