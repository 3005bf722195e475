"""Helpers of tools/render_images.py: the PNG codec and the review pictures."""
