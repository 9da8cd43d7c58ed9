// Procedural pictures of the default assets: textures, sprites, pictures, splash and toolbar.
#pragma once

#include <QImage>

QImage makeGoldTexture();     // brushed gold metal
QImage makeTunnelTexture();   // warm plasma for the tunnel wall
QImage makeBoxPanelTexture(); // blue panelled box side with windows and a sign band
QImage makeStarSprite();      // a soft star with four spikes on black
QImage makeFireSprite();      // a soft orange flame blob on black
QImage makeParticleSprite();  // a soft white dot on black
QImage makeEnvironmentMap();  // sky, sun and ground for sphere-mapped reflections
QImage makeSleepingDog();     // a dog asleep on a rug
QImage makeVideoGirl();       // a girl holding a video camera
QImage makeSplashBitmap();    // the "Please Wait:" window, magenta outside its shape
// The toolbar strip of New, Open, Save, Control Deck and About, 48 pixels per image; its first
// pixel holds the mask colour. `variant`: 0 normal, 1 hot, 2 disabled.
QImage makeToolbarStrip(int variant);
