import flash.display.Sprite;
import vanto.*;

/** The parents' door: their area is not built yet, so it says so and leads back. */
class ParentsDoor extends Sprite {
	public function new(onHome:Void->Void) {
		super();
		addChild(BigButton.home(onHome));
		addChild(Ui.picture(Icons.door, 170, 480, 250));
		addChild(Ui.label("家长园地", 48, Ui.kInk, 480, 450));
		addChild(Ui.label("快要开门了", 36, Ui.kBlue, 480, 510));
	}
}
