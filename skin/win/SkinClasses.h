#pragma once
// Makes the skinned library's classes known by name, so that stored form
// descriptions can name them. Each program that loads a description with
// skinned components calls it before the first form is read.

void RegisterSkinClasses();
