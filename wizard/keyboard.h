// The Enter key: it presses the page's default button (Cancel on page 9,
// Finish on page 10, Next otherwise), whichever control has the focus.
#ifndef QVS_WIZARD_KEYBOARD_H
#define QVS_WIZARD_KEYBOARD_H

// Enter down: the default button takes the focus and is pressed down (the
// Space key's press), and the wizard waits for Enter's release. A hidden
// or disabled default button is left alone.
void OnEnterKeyDown();
// Enter up after its own press: the default button is released, which
// clicks it once.
void OnEnterKeyUp();

#endif
