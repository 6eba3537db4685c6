// The install step's half of the store: the program itself never makes a folder.
#ifndef WORDORIA_STORE_DATA_TREE_H
#define WORDORIA_STORE_DATA_TREE_H

// Makes DATA with its 73 category folders in the working directory, keeping
// whatever is already there. False when a folder could not be made.
bool MakeDataTree();

#endif
