#pragma once
// The compiled resources: the skins drawn from skins.tsv and the string
// table. Call once, before the first window loads an image or a text.
void InitResources();
