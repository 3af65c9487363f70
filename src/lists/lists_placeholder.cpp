// placeholder so that the library exists before its first file
