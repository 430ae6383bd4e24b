drawshape 12, 0, 0
