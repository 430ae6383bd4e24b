gosub nowhere
