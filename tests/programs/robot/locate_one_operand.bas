rlocate 400
